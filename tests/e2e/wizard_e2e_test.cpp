// The wizard's frame as a user meets it: pages, buttons, the closing rules.
#include <gtest/gtest.h>

#include "machine.h"
#include "ui_driver.h"

using namespace e2e;

namespace {

const std::wstring kWizard = L"Norvik-Soft - Instalator oprogramowania Vortel PRO";
const std::wstring kQuestion = L"Przerwać proces instalacji ?";

struct Wizard {
  App app;
  HWND form = nullptr;

  void Start() {
    ASSERT_TRUE(app.Start(installExe, L""));
    form = app.WaitTop(kWizard, L"TVortelForm");
    ASSERT_NE(form, nullptr) << "the wizard did not appear";
  }
  HWND Control(const char* name) {
    HWND w = FindControl(form, name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  bool OnPage(const char* sheet) { return Visible(FindControl(form, sheet)); }
  void Next(const char* expectedSheet) {
    Click(Control("BitBtn2"));
    ASSERT_TRUE(WaitFor([&] { return OnPage(expectedSheet); })) << expectedSheet;
  }
  void Back(const char* expectedSheet) {
    Click(Control("BitBtn1"));
    ASSERT_TRUE(WaitFor([&] { return OnPage(expectedSheet); })) << expectedSheet;
  }
  void Agree() {
    Click(Control("CheckBox1"));
    ASSERT_TRUE(WaitFor([&] { return Enabled(Control("BitBtn2")); }));
  }
};

}  // namespace

TEST(WizardE2E, WalksForwardAndBackAndFollowsTheAgreementBox) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start());
  EXPECT_TRUE(w.OnPage("Step1"));
  EXPECT_FALSE(Enabled(w.Control("BitBtn1")));
  EXPECT_FALSE(Enabled(w.Control("BitBtn2")));
  EXPECT_TRUE(Enabled(w.Control("BitBtn3")));
  EXPECT_FALSE(Enabled(w.Control("BitBtn4")));

  ASSERT_NO_FATAL_FAILURE(w.Agree());
  Click(w.Control("CheckBox1"));
  ASSERT_TRUE(WaitFor([&] { return !Enabled(w.Control("BitBtn2")); }));
  ASSERT_NO_FATAL_FAILURE(w.Agree());

  for (const char* page : {"Step3", "Step4", "Step5", "Step6"}) {
    if (std::string(page) == "Step5") {
      // Leaving the folder page asks about the main folder first.
      Click(w.Control("BitBtn2"));
      HWND question = WaitDialog(w.app, L" Uwaga");
      ASSERT_NE(question, nullptr);
      Click(FindControl(question, "Yes"));
      ASSERT_TRUE(WaitFor([&] { return w.OnPage(page); }));
    } else {
      ASSERT_NO_FATAL_FAILURE(w.Next(page));
    }
    EXPECT_TRUE(Enabled(w.Control("BitBtn1"))) << page;
    EXPECT_TRUE(Enabled(w.Control("BitBtn2"))) << page;
  }
  for (const char* page : {"Step5", "Step4", "Step3", "Step1"})
    ASSERT_NO_FATAL_FAILURE(w.Back(page));
  // Back on the first page finds the agreement still ticked.
  EXPECT_TRUE(Checked(w.Control("CheckBox1")));
  EXPECT_TRUE(Enabled(w.Control("BitBtn2")));
  w.app.Kill();
}

TEST(WizardE2E, LicenceEndsWithTheMakersSignature) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start());
  std::wstring text = Text(w.Control("MemoLicSh"));
  std::vector<std::wstring> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  ASSERT_GE(lines.size(), 8u);
  const size_t n = lines.size();
  EXPECT_EQ(lines[0], L"UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”");
  EXPECT_EQ(lines[n - 7], L"PRODUCENT");
  EXPECT_EQ(lines[n - 6], L"");
  for (size_t i = n - 5; i < n; ++i) EXPECT_FALSE(lines[i].empty()) << "address line " << i;
  w.app.Kill();
}

TEST(WizardE2E, AbortAsksAndNoKeepsThePage) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start());
  ASSERT_NO_FATAL_FAILURE(w.Agree());
  ASSERT_NO_FATAL_FAILURE(w.Next("Step3"));

  Click(w.Control("BitBtn3"));
  std::wstring text;
  HWND dialog = WaitDialog(w.app, L" Decyzja", &text);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(text, kQuestion);
  Click(FindControl(dialog, "No"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(w.OnPage("Step3"));
  EXPECT_TRUE(w.app.Running());

  Click(w.Control("BitBtn3"));
  dialog = WaitDialog(w.app, L" Decyzja");
  ASSERT_NE(dialog, nullptr);
  Click(FindControl(dialog, "Yes"));
  EXPECT_EQ(w.app.WaitExit(), 5);  // cancelled by the user
}

TEST(WizardE2E, EscapeClosesNothingAndTheCloseBoxAsks) {
  Wizard w;
  ASSERT_NO_FATAL_FAILURE(w.Start());
  HWND box = w.Control("CheckBox1");
  SetForegroundWindow(w.form);
  Key(box, VK_ESCAPE);
  // Posted messages arrive in order: once this click has been handled, so has Escape.
  Click(box);
  ASSERT_TRUE(WaitFor([&] { return Checked(box); }));
  EXPECT_TRUE(w.app.Running());
  EXPECT_EQ(w.app.FindTop(L" Decyzja", L"TMessageForm"), nullptr);

  CloseBox(w.form);
  HWND dialog = WaitDialog(w.app, L" Decyzja");
  ASSERT_NE(dialog, nullptr);
  Click(FindControl(dialog, "No"));
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(w.app.Running());
  w.app.Kill();
}
