// The real message dialog, driven from a second thread while the test's thread waits in it.
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "main_env.h"
#include "platform/dialogs.h"

using plat::DlgButton;
using plat::DlgType;
using plat::ModalResult;
using plat::win32::WString;

namespace {

WString Text(HWND w) {
  wchar_t text[128] = {};
  GetWindowTextW(w, text, 128);
  return text;
}

// What a user sees: caption, buttons left to right ("|" between), the focused one, the layout.
struct Seen {
  WString caption, buttons, focused, tabs;  // tabs: the Tab order from the first stop
  bool centred = false, evenRow = false;
};

Seen Inspect(HWND dialog, DWORD thread) {
  Seen seen;
  seen.caption = Text(dialog);
  std::vector<std::pair<RECT, HWND>> row;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(c, cls, 32);
    RECT r;
    GetWindowRect(c, &r);
    if (WString(cls) == L"Button") row.push_back({r, c});
  }
  std::sort(row.begin(), row.end(), [](auto& a, auto& b) { return a.first.left < b.first.left; });
  seen.evenRow = true;
  for (size_t i = 0; i < row.size(); ++i) {
    const RECT &r = row[i].first, &first = row[0].first;
    seen.buttons += (i ? L"|" : L"") + Text(row[i].second);
    if (i > 0)
      seen.evenRow = seen.evenRow && r.right - r.left == first.right - first.left &&
                     r.left - row[i - 1].first.right == row[1].first.left - first.right &&
                     r.left > row[i - 1].first.right;
  }
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) seen.focused = Text(info.hwndFocus);
  const HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  for (HWND b = first; b && seen.tabs.size() < 200; b = GetNextDlgTabItem(dialog, b, FALSE)) {
    seen.tabs += (b == first ? L"" : L"|") + Text(b);
    if (GetNextDlgTabItem(dialog, b, FALSE) == first) break;
  }
  RECT d;
  GetWindowRect(dialog, &d);
  seen.centred = std::abs((d.left + d.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
                 std::abs((d.top + d.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
  return seen;
}

void PressKey(HWND dialog, WPARAM key) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
  HWND target = info.hwndFocus ? info.hwndFocus : dialog;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

enum class Act { EscThenNo, Enter, Esc, CloseBox, AltN };

}  // namespace

TEST(DialogWin, LayoutFocusAndAnswers) {
  const std::vector<DlgButton> four = {DlgButton::Yes, DlgButton::All, DlgButton::No,
                                       DlgButton::Abort};
  const std::vector<DlgButton> yesNo = {DlgButton::Yes, DlgButton::No}, ok = {DlgButton::OK};
  const struct {
    DlgType type;
    std::vector<DlgButton> buttons;
    int focus, esc;
    Act act;
    const wchar_t *caption, *row, *focused;
    ModalResult result;
  } cases[] = {
      // No Esc button: Esc must not end the dialog; "&Nie" is then clicked.
      {DlgType::Confirmation, four, 0, -1, Act::EscThenNo, L" Decyzja",
       L"&Tak|&Wszystkie|&Nie|&Przerwij", L"&Tak", ModalResult::No},
      {DlgType::Warning, yesNo, 1, 1, Act::Enter, L" Uwaga", L"&Tak|&Nie", L"&Nie",
       ModalResult::No},
      {DlgType::Warning, yesNo, 0, 1, Act::Esc, L" Uwaga", L"&Tak|&Nie", L"&Tak", ModalResult::No},
      {DlgType::Confirmation, four, 3, 3, Act::AltN, L" Decyzja", L"&Tak|&Wszystkie|&Nie|&Przerwij",
       L"&Przerwij", ModalResult::No},
      {DlgType::Error, ok, 0, -1, Act::CloseBox, L" B\u0142\u0105d", L"OK", L"OK",
       ModalResult::Cancel},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.act));
    const DWORD self = GetCurrentThreadId();
    Seen seen;
    std::thread driver([&] {
      const HWND dialog = wintest::WaitForWindow(L"TMessageForm", self);
      if (!dialog) return;
      seen = Inspect(dialog, self);
      if (c.act == Act::CloseBox)
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      else if (c.act == Act::AltN)
        PostMessageW(GetWindow(dialog, GW_CHILD), WM_SYSCHAR, L'n', 1 << 29);
      else
        PressKey(dialog, c.act == Act::Enter ? VK_RETURN : VK_ESCAPE);
      for (HWND b = GetWindow(dialog, GW_CHILD); b && c.act == Act::EscThenNo;
           b = GetWindow(b, GW_HWNDNEXT))
        if (Text(b) == L"&Nie") PostMessageW(b, BM_CLICK, 0, 0);
    });
    const ModalResult result = plat::OrderedMessageDlg(
        "Plik \"C:\\a.txt\" już istnieje.\rNadpisać ?", c.type, c.buttons, c.focus, c.esc);
    driver.join();
    EXPECT_EQ(std::tuple(result, seen.caption, seen.buttons, seen.tabs, seen.focused),
              std::tuple(c.result, WString(c.caption), WString(c.row), WString(c.row),
                         WString(c.focused)));
    EXPECT_TRUE(seen.centred && seen.evenRow);
  }
}
