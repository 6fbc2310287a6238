// A handler's failure inside a window procedure is reported, and the program goes on: the
// exception never unwinds through the system's frames.
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

#include "main_env.h"
#include "platform/platform.h"
#include "platform/win32/gui_win32.h"

using namespace plat::gui;
using plat::win32::WString;

namespace {

// The texts of the first message box the thread shows within 30 s, which is then closed.
WString AnswerMessageBox(DWORD thread) {
  HWND box = wintest::WaitForWindow(L"#32770", thread);  // shown once complete
  if (!box) return L"(none)";
  WString text;  // the box's texts: its message and its buttons'
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t part[128] = {};
    GetWindowTextW(c, part, 128);
    text += part + WString(L"|");
  }
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  return text;
}

}  // namespace

TEST(WindowWin, AFailingHandlerIsReportedAndTheFormLivesOn) {
  auto& gui = static_cast<plat::win32::Win32Gui&>(plat::Current().Ui());
  auto form = std::make_unique<Form>(nullptr, "Form1");
  form->SetClientSize(200, 100);
  auto* button = Make<Button>(form.get(), "Button1");
  button->SetParent(form.get());
  button->SetBounds(10, 10, 80, 25);
  int clicks = 0;
  button->OnClick = [&] {
    if (++clicks == 1) throw std::runtime_error("Nie można.");
    throw 42;
  };
  gui.ShowForm(*form);
  for (const wchar_t* expected : {L"Nie można.", L"Nieoczekiwany błąd programu."}) {
    WString shown;
    std::thread driver([&, self = GetCurrentThreadId()] { shown = AnswerMessageBox(self); });
    SendMessageW(gui.WindowOf(button), BM_CLICK, 0, 0);
    driver.join();
    EXPECT_NE(shown.find(expected + WString(L"|")), WString::npos) << plat::win32::Narrow(shown);
  }
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(IsWindow(gui.WindowOf(button)));
  gui.HideForm(*form);
}
