// The real message dialog, driven from a second thread while the test's thread waits in it as
// the installer's would: button order and layout, the focused button, the Esc button.
#include <algorithm>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

#include "main_env.h"
#include "platform/dialogs.h"
#include "platform/platform.h"

using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;

namespace {

struct Seen {
  std::vector<std::wstring> captions;  // left to right
  std::vector<int> widths;
  std::vector<int> gaps;
  std::wstring focused;
  std::wstring caption;
  bool centred = false;
};

BOOL CALLBACK FindMessageForm(HWND w, LPARAM out) {
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  if (std::wstring(cls) != L"TMessageForm" || !IsWindowVisible(w)) return TRUE;
  *reinterpret_cast<HWND*>(out) = w;
  return FALSE;
}

// Polls for the dialog for up to 20 seconds.
HWND WaitForDialog(DWORD thread) {
  for (int i = 0; i < 2000; ++i) {
    HWND found = nullptr;
    EnumThreadWindows(thread, FindMessageForm, reinterpret_cast<LPARAM>(&found));
    if (found) return found;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return nullptr;
}

Seen Inspect(HWND dialog, DWORD thread) {
  Seen seen;
  wchar_t text[128] = {};
  GetWindowTextW(dialog, text, 128);
  seen.caption = text;
  std::vector<std::pair<int, HWND>> buttons;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    if (std::wstring(cls) != L"Button") continue;
    RECT r;
    GetWindowRect(c, &r);
    buttons.push_back({r.left, c});
  }
  std::sort(buttons.begin(), buttons.end());
  int previousRight = -1;
  for (auto& [left, w] : buttons) {
    wchar_t caption[64] = {};
    GetWindowTextW(w, caption, 64);
    seen.captions.push_back(caption);
    RECT r;
    GetWindowRect(w, &r);
    seen.widths.push_back(r.right - r.left);
    if (previousRight >= 0) seen.gaps.push_back(r.left - previousRight);
    previousRight = r.right;
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) {
    wchar_t caption[64] = {};
    GetWindowTextW(info.hwndFocus, caption, 64);
    seen.focused = caption;
  }
  RECT d;
  GetWindowRect(dialog, &d);
  const int cx = (d.left + d.right) / 2, cy = (d.top + d.bottom) / 2;
  seen.centred = std::abs(cx - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                 std::abs(cy - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
  return seen;
}

HWND ButtonCaptioned(HWND dialog, const std::wstring& caption) {
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t text[64] = {};
    GetWindowTextW(c, text, 64);
    if (caption == text) return c;
  }
  return nullptr;
}

// Shows the dialog on this thread while `drive` inspects and answers it from another.
ModalResult ShowAndDrive(const std::function<ModalResult()>& show,
                         const std::function<void(HWND, Seen&)>& drive, Seen& seen) {
  const DWORD self = GetCurrentThreadId();
  std::thread driver([&] {
    HWND dialog = WaitForDialog(self);
    if (!dialog) return;
    seen = Inspect(dialog, self);
    drive(dialog, seen);
  });
  const ModalResult result = show();
  driver.join();
  return result;
}

void PressKey(HWND dialog, WPARAM key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : dialog;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

TEST(DialogWin, OverwriteQuestionShowsButtonsInTheCallersOrderAndEscDoesNothing) {
  Seen seen;
  const auto result = ShowAndDrive(
      [] {
        return plat::OrderedMessageDlg(
            "Plik \"C:\\a.txt\" już istnieje.\rNadpisać ?", DlgType::Confirmation,
            {DlgButton::Yes, DlgButton::All, DlgButton::No, DlgButton::Abort}, 0, -1);
      },
      [](HWND dialog, Seen&) {
        PressKey(dialog, VK_ESCAPE);  // no Esc button: must not end the dialog
        PostMessageW(ButtonCaptioned(dialog, L"&Nie"), BM_CLICK, 0, 0);
      },
      seen);
  EXPECT_EQ(result, ModalResult::No);
  EXPECT_EQ(seen.caption, L" Decyzja");
  EXPECT_EQ(seen.captions,
            (std::vector<std::wstring>{L"&Tak", L"&Wszystkie", L"&Nie", L"&Przerwij"}));
  EXPECT_EQ(seen.focused, L"&Tak");
  ASSERT_EQ(seen.widths.size(), 4u);
  for (int w : seen.widths) EXPECT_EQ(w, seen.widths[0]);
  for (int g : seen.gaps) EXPECT_EQ(g, seen.gaps[0]);
  EXPECT_GT(seen.gaps[0], 0);
  EXPECT_TRUE(seen.centred);
}

TEST(DialogWin, TheChosenButtonHasTheFocusAndEnterPressesIt) {
  Seen seen;
  const auto result = ShowAndDrive(
      [] {
        return plat::OrderedMessageDlg("Przerwać proces instalacji ?", DlgType::Warning,
                                       {DlgButton::Yes, DlgButton::No}, 1, 1);
      },
      [](HWND dialog, Seen&) { PressKey(dialog, VK_RETURN); }, seen);
  EXPECT_EQ(seen.caption, L" Uwaga");
  EXPECT_EQ(seen.focused, L"&Nie");
  EXPECT_EQ(result, ModalResult::No);
}

TEST(DialogWin, EscPressesTheChosenEscButton) {
  Seen seen;
  const auto result = ShowAndDrive(
      [] {
        return plat::OrderedMessageDlg("Przerwać proces instalacji ?", DlgType::Warning,
                                       {DlgButton::Yes, DlgButton::No}, 0, 1);
      },
      [](HWND dialog, Seen&) { PressKey(dialog, VK_ESCAPE); }, seen);
  EXPECT_EQ(seen.focused, L"&Tak");
  EXPECT_EQ(result, ModalResult::No);
}

TEST(DialogWin, TheCloseBoxAnswersCancel) {
  Seen seen;
  const auto result = ShowAndDrive(
      [] {
        return plat::MessageDlg("Proszę wybrać instalowane produkty.", DlgType::Error,
                                {DlgButton::OK});
      },
      [](HWND dialog, Seen&) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }, seen);
  EXPECT_EQ(seen.caption, L" B\u0142\u0105d");
  EXPECT_EQ(seen.captions, std::vector<std::wstring>{L"OK"});
  EXPECT_EQ(result, ModalResult::Cancel);
}
