// A handler's failure in a window procedure is reported and never unwinds through system frames.
#include <algorithm>
#include <future>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

#include "main_env.h"
#include "platform/platform.h"
#include "platform/win32/gui_win32.h"
#include "platform/win32/window_base.h"
#include "startup/inst_back.h"
#include "startup/quiet_reports.h"
#include "unattended/silent_run.h"
#include "wizard/instalator_form.h"

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
  // In the silent modes only the log hears of it: a box there would wait for ever.
  struct : sys::RunLog {
    std::string notes;
    void Note(const std::string& text, bool error) override { notes += text + (error ? "!" : ""); }
  } log;
  startup::QuietReports quiet(log);
  plat::win32::QuietFailures(true);
  auto report =
      std::async(std::launch::async, [] { plat::win32::ReportFailure(nullptr, "Cicho."); });
  const auto reported = report.wait_for(std::chrono::seconds(5));
  plat::win32::QuietFailures(false);
  EXPECT_EQ(reported, std::future_status::ready);
  if (reported != std::future_status::ready)
    PostMessageW(FindWindowW(L"#32770", nullptr), WM_COMMAND, IDOK, 0);
  report.wait();
  EXPECT_EQ(log.notes, "Cicho.!");
}

// At the DPI this Wine runs with (scripts/screenshots sets 144 and 192) every text fits.
TEST(WindowWin, EveryTextFitsAtThisDpi) {
  using plat::win32::TextExtent;
  using plat::win32::Wide;
  auto& gui = static_cast<plat::win32::Win32Gui&>(plat::Current().Ui());
  wizard::TInstalatorForm wizard(nullptr, "InstalatorForm", {});
  startup::TInstForm back(nullptr, "InstForm", {});
  unattended::ProgressWindow progress;
  const HDC screen = GetDC(nullptr);
  for (Form* form : std::initializer_list<Form*>{&wizard, &back, &progress}) {
    gui.Realize(*form);
    for (Component* c : form->Components()) {
      auto* control = dynamic_cast<Control*>(c);
      if (!control || !control->Visible() || control->Caption().empty()) continue;
      WString text = Wide(control->Caption());
      if (const HWND w = gui.WindowOf(control)) {
        if (!dynamic_cast<Button*>(control) && !dynamic_cast<CheckBox*>(control)) continue;
        text.erase(std::remove(text.begin(), text.end(), L'&'), text.end());
        RECT r;
        GetClientRect(w, &r);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
        const int box = dynamic_cast<CheckBox*>(control) ? gui.Px(*control, 16) : 0;
        EXPECT_LE(box + TextExtent(screen, font, text).cx, r.right) << c->Name();
      } else if (auto* label = dynamic_cast<CustomLabel*>(control)) {
        if (!label->Parent() || label == wizard.Aligner1) continue;
        const RECT r = gui.DeviceRect(*label);
        const int right = label->AutoSize() && label->Parent() != form
                              ? gui.Px(*label, label->Parent()->Width())
                              : (label->AutoSize() ? 1 << 30 : r.right);
        const SIZE extent = TextExtent(screen, gui.FontHandle(gui.LabelFont(*label, screen)), text);
        EXPECT_LE(r.left + extent.cx, right) << c->Name();
      }
    }
  }
  ReleaseDC(nullptr, screen);
}
