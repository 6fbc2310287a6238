// The wizard's frame as a user meets it: pages, buttons, the closing rules.
#include <gtest/gtest.h>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

const std::wstring kQuestion = L"Przerwać proces instalacji ?";

HWND Focused(HWND form) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info);
  return info.hwndFocus;
}

// The controls that Tab reaches from the focus, in turn, until it comes back.
std::vector<std::string> TabWalk(HWND form) {
  std::vector<std::string> names;
  const HWND start = Focused(form);
  for (HWND at = start; names.size() < 12;) {
    Key(at ? at : form, VK_TAB);
    WaitFor([&] { return Focused(form) != at; }, std::chrono::milliseconds(3000));
    at = Focused(form);
    names.push_back(ControlName(at));
    if (at == start) break;
  }
  return names;
}

// Alt with a letter, as the keyboard delivers it to the window with the focus.
void AltKey(HWND form, wchar_t letter) {
  PostMessageW(Focused(form), WM_SYSCHAR, letter, 1 << 29);
}

}  // namespace

// A second installer is not a component of the package: it opens its own wizard.
TEST(WizardE2E, TheLicenceTheTaskBarButtonAndASecondInstaller) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  const std::wstring licence = Text(w.Control("MemoLicSh"));
  EXPECT_EQ(licence.rfind(L"UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”\r\n", 0),
            0u);
  EXPECT_NE(licence.find(L"\r\nPRODUCENT\r\n\r\nNorvik-Soft"), std::wstring::npos);
  // The task-bar button is the application window; the wizard minimises and restores with it.
  const HWND app = GetWindow(w.form, GW_OWNER);
  EXPECT_EQ(Text(app), L"Instalator pakietu Vor - tel PRO");
  EXPECT_TRUE(IsWindowVisible(app));
  const HWND back = w.app.FindTop(L"Instalator");
  ASSERT_NE(back, nullptr);
  PostMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(w.form) && !IsWindowVisible(back); }));
  PostMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(w.form) && IsWindowVisible(back); }));
  HWND below = w.form;
  while (below && below != back) below = GetWindow(below, GW_HWNDNEXT);
  EXPECT_EQ(below, back) << "the wizard is not in front of the background";
  App second;
  ASSERT_TRUE(second.Start(installExe, L""));
  EXPECT_NE(second.WaitTop(kWizardCaption, L"TVortelForm"), nullptr);
  for (const std::wstring& caption : second.TopCaptions()) EXPECT_NE(caption, L" Informacja");
}

// Escape presses nothing anywhere; the close box, "Przerwij" and its Alt key ask before leaving.
TEST(WizardE2E, TheKeyboardWalksEveryPageInVisualOrderAndLeavingAsks) {
  using Names = std::vector<std::string>;
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  SetForegroundWindow(w.form);
  EXPECT_EQ(ControlName(Focused(w.form)), "MemoLicSh");
  EXPECT_EQ(TabWalk(w.form), (Names{"CheckBox1", "BitBtn3", "MemoLicSh"}));
  ASSERT_NO_FATAL_FAILURE(w.Agree());
  AltKey(w.form, L'd');
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step3"));
  EXPECT_EQ(TabWalk(w.form), (Names{"BitBtn3", "CheckListBox1", "BitBtn1", "BitBtn2"}));
  AltKey(w.form, L'c');
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step1"));
  AltKey(w.form, L'd');
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step3"));
  // Enter outside the buttons presses the default one; Esc presses nothing.
  Key(w.Control("CheckListBox1"), VK_ESCAPE);
  Key(w.Control("CheckListBox1"), VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step4"));
  EXPECT_EQ(ControlName(Focused(w.form)), "BitBtn2");
  EXPECT_EQ(TabWalk(w.form),
            (Names{"BitBtn3", "Edit4", "edPath0", "edPath1", "edPath3", "BitBtn1", "BitBtn2"}));
  Key(w.Control("Edit4"), VK_RETURN);
  HWND question = WaitDialog(w.app, L" Uwaga");
  ASSERT_NE(question, nullptr);
  Key(Focused(question), VK_RETURN);  // "&Tak" has the focus
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step5"));
  EXPECT_EQ(TabWalk(w.form), (Names{"BitBtn3", "cbShortcutVortel", "cbShortcutFTPcli",
                                    "cbFTPsrvAutostart", "BitBtn1", "BitBtn2"}));
  Key(Focused(w.form), VK_RETURN);
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step6"));
  EXPECT_EQ(ControlName(Focused(w.form)), "BitBtn2");
  EXPECT_EQ(TabWalk(w.form), (Names{"BitBtn3", "Memo1", "BitBtn1", "BitBtn2"}));
  AltKey(w.form, L'p');
  EXPECT_EQ(w.Answer(L" Decyzja", "No"), kQuestion);
  CloseBox(w.form);
  EXPECT_EQ(w.Answer(L" Decyzja", "No"), kQuestion);
  EXPECT_TRUE(w.OnPage("Step6") && w.app.Running());
  Click(w.Control("BitBtn3"));
  w.Answer(L" Decyzja", "Yes");
  EXPECT_EQ(w.app.WaitExit(), 5);  // cancelled by the user
}
