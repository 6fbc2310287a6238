#include <gtest/gtest.h>

#include "module_state.h"
#include "platform/headless/headless.h"
#include "platform/text.h"
#include "wizard/instalator_form.h"

using plat::ModalResult;
using wizard::TInstalatorForm;

class WizardFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { platform.gui.ShowForm(*form); }
  // Back, Next, Abort, Finish: the letter when enabled, then the default button's letter.
  std::string Buttons() const {
    std::string s;
    for (auto [button, letter] : {std::pair{form->BitBtn1, 'B'},
                                  {form->BitBtn2, 'N'},
                                  {form->BitBtn3, 'A'},
                                  {form->BitBtn4, 'F'}})
      s += button->Enabled() ? letter : '-';
    return s + (form->BitBtn2->Default() ? " N" : form->BitBtn4->Default() ? " F" : "");
  }

  plat::headless::HeadlessPlatform platform;
  std::unique_ptr<TInstalatorForm> form =
      std::make_unique<TInstalatorForm>(nullptr, "InstalatorForm", std::vector<std::string>{});
};

TEST_F(WizardFrameTest, EachPageSetsItsButtonsAndOnlyTheAgreementEnablesNext) {
  EXPECT_EQ(Buttons(), "--A-");
  form->BitBtn2->Click();  // disabled: nothing happens
  EXPECT_EQ(form->CurrentStep, 1);
  form->CheckBox1->Click();
  EXPECT_EQ(Buttons(), "-NA- N");
  form->CheckBox1->Click();
  EXPECT_EQ(Buttons(), "--A- N");
  form->CheckBox1->Click();
  const std::pair<int, const char*> rows[] = {{3, "BNA- N"}, {4, "BNA- N"}, {5, "BNA- N"},
                                              {6, "BNA- N"}, {7, "----"},   {8, "---F F"},
                                              {1, "-NA- N"}};
  for (const auto& [step, buttons] : rows) {
    form->ShowStep(step);
    EXPECT_EQ(form->CurrentStep, step);
    int visible = 0;
    for (auto* page : form->PageControl1->Pages()) visible += page->Visible();
    EXPECT_EQ(Buttons(), buttons) << step;
    EXPECT_EQ(visible, 1) << step;
    EXPECT_TRUE(form->PageControl1->ActivePage()->Visible());
  }
  EXPECT_EQ(form->focused, form->BitBtn4);
  form->ShowStep(6);
  std::string steps;
  for (int i = 0; i < 5; ++i, steps += std::to_string(form->CurrentStep)) form->BitBtn1->Click();
  EXPECT_EQ(steps, "54311");
  EXPECT_EQ(Buttons(), "-NA- N");  // the tick stays
  form->BitBtn2->SetEnabled(false);
  form->ShowStep(1);  // showing the current page again resets nothing
  EXPECT_FALSE(form->BitBtn2->Enabled());
  form->ShowStep(3);
  form->CheckListBox1->UserToggle(1);  // the user's choice survives leaving the page
  form->ShowStep(1);
  form->ShowStep(3);
  EXPECT_FALSE(form->CheckListBox1->Checked(1));
}

TEST_F(WizardFrameTest, ClosingAsksBeforeTheLastPageAndAConfirmedCloseWhileCopyingStopsTheRun) {
  // The page, whether to close without asking, the answer (None: no question); closes, stops.
  const std::tuple<int, bool, ModalResult, bool, bool> cases[] = {
      {1, false, ModalResult::Cancel, false, false}, {1, false, ModalResult::Yes, true, false},
      {7, false, ModalResult::No, false, false},     {7, false, ModalResult::Yes, true, true},
      {8, false, ModalResult::None, true, false},    {7, true, ModalResult::None, true, false}};
  for (const auto& [step, withoutAsking, answer, closes, stops] : cases) {
    unittest::FreshModuleState();
    form->Stop.Clear();
    form->CloseWithoutAsking = withoutAsking;
    form->Reopen();
    form->ShowStep(step);
    if (answer != ModalResult::None)
      platform.dialogs.Expect("Przerwać proces instalacji ?", answer);
    const bool closed = form->Close();
    EXPECT_EQ(std::tuple(closed, form->Stop.Requested(), platform.dialogs.AllAnswered()),
              std::tuple(closes, stops, true))
        << step;
  }
  EXPECT_EQ(platform.dialogs.shown.back().type, plat::DlgType::Confirmation);
}

TEST_F(WizardFrameTest, AServerOnlyMediumOffersOnlyTheServerAndItsAgreement) {
  plat::headless::HeadlessPlatform fresh;
  fresh.files.AddDrive('D');
  fresh.files.SetModulePath("D:\\Nośnik\\Install.exe");
  fresh.files.PutFile("D:\\Nośnik\\appid.dat", "S");
  TInstalatorForm serverOnly(nullptr, "InstalatorForm", {});
  fresh.gui.ShowForm(serverOnly);
  EXPECT_EQ(serverOnly.SourceDir + serverOnly.MemoLicSh->Lines()[0],
            "D:\\Nośnik\\UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTPSrv”");
  serverOnly.CheckBox1->Click();
  serverOnly.BitBtn2->Click();
  ASSERT_EQ(serverOnly.CurrentStep, 3);
  auto& list = *serverOnly.CheckListBox1;
  for (int visit = 0; visit < 2; ++visit) {
    std::string items;  // enabled and ticked
    for (int i = 0; i < 4; ++i) items += std::to_string(list.ItemEnabled(i) + 2 * list.Checked(i));
    list.UserToggle(0);  // a disabled item cannot be ticked by the user
    EXPECT_EQ(items + std::to_string(list.Checked(0)), "00030");
    serverOnly.BitBtn1->Click();  // and stays unticked on a later visit
    serverOnly.BitBtn2->Click();
  }
  // The finish page offers only what was installed.
  form->CheckListBox1->SetChecked(0, false);
  std::string offered;
  for (auto* f : {&serverOnly, form.get()}) {
    f->ShowStep(8);
    for (auto* box : {f->CheckBox5, f->CheckBox2, f->CheckBox3})
      offered += box->Visible() ? '+' : '-';
  }
  EXPECT_EQ(offered, "-----+");
}

TEST_F(WizardFrameTest, EveryTextOnTheFormSurvivesWindows1250) {
  size_t checked = 0;
  for (const plat::gui::Component* c : form->Components()) {
    std::vector<std::string> texts;
    if (const auto* control = dynamic_cast<const plat::gui::Control*>(c))
      texts.push_back(control->Caption());
    if (const auto* list = dynamic_cast<const plat::gui::CheckListBox*>(c))
      for (const auto& item : list->Items()) texts.push_back(item.caption);
    for (const auto& text : texts) EXPECT_TRUE(plat::IsCp1250Representable(text)) << text;
    checked += texts.size();
  }
  EXPECT_GT(checked, 60u);
  for (auto type : {plat::DlgType::Warning, plat::DlgType::Error, plat::DlgType::Information})
    EXPECT_TRUE(plat::IsCp1250Representable(plat::CaptionOf(type)));
  for (int b = 0; b <= static_cast<int>(plat::DlgButton::Help); ++b)
    EXPECT_TRUE(plat::IsCp1250Representable(plat::CaptionOf(static_cast<plat::DlgButton>(b))));
}
