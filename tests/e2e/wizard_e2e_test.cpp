// The wizard's frame as a user meets it: pages, buttons, the closing rules.
#include <gtest/gtest.h>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {
const std::wstring kQuestion = L"Przerwać proces instalacji ?";
}  // namespace

TEST(WizardE2E, WalksForwardAndBackAndFollowsTheAgreementBox) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  EXPECT_TRUE(w.OnPage("Step1"));
  for (const auto& [button, enabled] :
       {std::pair{"BitBtn1", false}, {"BitBtn2", false}, {"BitBtn3", true}, {"BitBtn4", false}})
    EXPECT_EQ(Enabled(w.Control(button)), enabled) << button;

  // The task-bar button: the application window, shown, owning the wizard; minimised from the
  // task bar it takes the wizard and the background along, restored it brings them back.
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

  ASSERT_NO_FATAL_FAILURE(w.Agree());
  Click(w.Control("CheckBox1"));
  ASSERT_TRUE(WaitFor([&] { return !Enabled(w.Control("BitBtn2")); }));
  ASSERT_NO_FATAL_FAILURE(w.Agree());

  ASSERT_NO_FATAL_FAILURE(w.Next("Step3"));
  ASSERT_NO_FATAL_FAILURE(w.Next("Step4"));
  // Leaving the folder page asks about the main folder first.
  Click(w.Control("BitBtn2"));
  w.Answer(L" Uwaga", "Yes");
  ASSERT_NO_FATAL_FAILURE(w.WaitPage("Step5"));
  ASSERT_NO_FATAL_FAILURE(w.Next("Step6"));
  EXPECT_TRUE(Enabled(w.Control("BitBtn1")) && Enabled(w.Control("BitBtn2")));
  for (const char* page : {"Step5", "Step4", "Step3", "Step1"})
    ASSERT_NO_FATAL_FAILURE(w.Back(page));
  // Back on the first page finds the agreement still ticked.
  EXPECT_TRUE(Checked(w.Control("CheckBox1")));
  EXPECT_TRUE(Enabled(w.Control("BitBtn2")));
}

TEST(WizardE2E, LicenceEndsWithTheMakersSignature) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  const std::wstring text = Text(w.Control("MemoLicSh"));
  std::vector<std::wstring> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find(L"\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  ASSERT_GE(lines.size(), 8u);
  const size_t n = lines.size();
  EXPECT_EQ(lines[0], L"UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”");
  EXPECT_EQ(lines[n - 7], L"PRODUCENT");
  EXPECT_EQ(lines[n - 6], L"");
  for (size_t i = n - 5; i < n; ++i) EXPECT_FALSE(lines[i].empty()) << "address line " << i;
}

TEST(WizardE2E, AbortAsksAndNoKeepsThePage) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  ASSERT_NO_FATAL_FAILURE(w.Agree());
  ASSERT_NO_FATAL_FAILURE(w.Next("Step3"));
  Click(w.Control("BitBtn3"));
  EXPECT_EQ(w.Answer(L" Decyzja", "No"), kQuestion);
  EXPECT_TRUE(w.OnPage("Step3"));
  EXPECT_TRUE(w.app.Running());
  Click(w.Control("BitBtn3"));
  w.Answer(L" Decyzja", "Yes");
  EXPECT_EQ(w.app.WaitExit(), 5);  // cancelled by the user
}

TEST(WizardE2E, EscapeClosesNothingAndTheCloseBoxAsks) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start(installExe));
  HWND box = w.Control("CheckBox1");
  SetForegroundWindow(w.form);
  Key(box, VK_ESCAPE);
  // Posted messages arrive in order: once this click has been handled, so has Escape.
  Click(box);
  ASSERT_TRUE(WaitFor([&] { return Checked(box); }));
  EXPECT_TRUE(w.app.Running());
  for (const std::wstring& caption : w.app.TopCaptions()) EXPECT_NE(caption, L" Decyzja");
  CloseBox(w.form);
  EXPECT_EQ(w.Answer(L" Decyzja", "No"), kQuestion);
  EXPECT_TRUE(w.app.Running());
}
