// The wizard's frame on the headless backend: the page table, the buttons, the closing rules.
#include <gtest/gtest.h>

#include "engine/medium_kind.h"
#include "engine/run_state.h"
#include "module_state.h"
#include "platform/headless/headless.h"
#include "platform/text.h"
#include "wizard/instalator_form.h"

using plat::ModalResult;
using wizard::TInstalatorForm;

class WizardFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_unique<TInstalatorForm>(nullptr, "InstalatorForm", std::vector<std::string>{});
    platform.gui.ShowForm(*form);
  }
  struct Buttons {
    bool back, next, abort, finish;
    bool operator==(const Buttons& o) const {
      return back == o.back && next == o.next && abort == o.abort && finish == o.finish;
    }
  };
  Buttons State() const {
    return {form->BitBtn1->Enabled(), form->BitBtn2->Enabled(), form->BitBtn3->Enabled(),
            form->BitBtn4->Enabled()};
  }
  void Next() { form->BitBtn2->Click(); }
  void Back() { form->BitBtn1->Click(); }

  plat::headless::HeadlessPlatform platform;
  std::unique_ptr<TInstalatorForm> form;
};

TEST_F(WizardFrameTest, EachPageSetsItsButtonsAndDefault) {
  struct Row {
    int step;
    plat::gui::TabSheet* TInstalatorForm::*sheet;
    Buttons buttons;
    bool nextDefault, finishDefault;
  };
  const Row rows[] = {
      {1, &TInstalatorForm::Step1, {false, true, true, false}, true, false},
      {3, &TInstalatorForm::Step3, {true, true, true, false}, true, false},
      {4, &TInstalatorForm::Step4, {true, true, true, false}, true, false},
      {5, &TInstalatorForm::Step5, {true, true, true, false}, true, false},
      {6, &TInstalatorForm::Step6, {true, true, true, false}, true, false},
      {7, &TInstalatorForm::Step7, {false, false, false, false}, false, false},
      {8, &TInstalatorForm::Step8, {false, false, false, true}, false, true},
  };
  form->CheckBox1->SetChecked(true);
  for (const Row& row : rows) {
    form->ShowStep(row.step);
    EXPECT_EQ(form->CurrentStep, row.step);
    EXPECT_EQ(form->PageControl1->ActivePage(), (*form).*row.sheet) << row.step;
    EXPECT_TRUE(((*form).*row.sheet)->Visible());
    EXPECT_TRUE(State() == row.buttons) << "page " << row.step;
    EXPECT_EQ(form->BitBtn2->Default(), row.nextDefault) << row.step;
    EXPECT_EQ(form->BitBtn4->Default(), row.finishDefault) << row.step;
    for (auto* page : form->PageControl1->Pages())
      if (page != (*form).*row.sheet) {
        EXPECT_FALSE(page->Visible()) << page->Name();
      }
  }
  EXPECT_EQ(form->focused, form->BitBtn4);
}

TEST_F(WizardFrameTest, TheAgreementBoxAloneEnablesNext) {
  EXPECT_EQ(form->CurrentStep, 1);
  EXPECT_FALSE(form->BitBtn2->Enabled());
  Next();  // disabled: nothing happens
  EXPECT_EQ(form->CurrentStep, 1);
  form->CheckBox1->Click();
  EXPECT_TRUE(form->BitBtn2->Enabled());
  EXPECT_TRUE(form->BitBtn2->Default());
  form->CheckBox1->Click();
  EXPECT_FALSE(form->BitBtn2->Enabled());
  form->CheckBox1->Click();
  Next();
  EXPECT_EQ(form->CurrentStep, 3);
  Back();
  EXPECT_EQ(form->CurrentStep, 1);
  EXPECT_TRUE(form->BitBtn2->Enabled());  // the tick stays
}

TEST_F(WizardFrameTest, BackFollowsTheSequenceAndShowingTheCurrentPageAgainResetsNothing) {
  form->CheckBox1->SetChecked(true);
  form->ShowStep(6);
  for (int expected : {5, 4, 3, 1, 1}) {
    Back();
    EXPECT_EQ(form->CurrentStep, expected);
  }
  form->BitBtn2->SetEnabled(false);
  form->ShowStep(1);
  EXPECT_FALSE(form->BitBtn2->Enabled());
}

TEST_F(WizardFrameTest, ClosingAsksBeforeTheLastPageAndAConfirmedCloseWhileCopyingStopsTheRun) {
  const std::string question = "Przerwać proces instalacji ?";
  const struct {
    int step;
    bool withoutAsking;
    ModalResult answer;  // None: no question
    bool closes, stops;
  } cases[] = {
      {1, false, ModalResult::No, false, false}, {1, false, ModalResult::Cancel, false, false},
      {1, false, ModalResult::Yes, true, false}, {7, false, ModalResult::No, false, false},
      {7, false, ModalResult::Yes, true, true},  {8, false, ModalResult::None, true, false},
      {7, true, ModalResult::None, true, false},
  };
  for (const auto& c : cases) {
    unittest::FreshModuleState();
    engine::CloseWithoutAsking = c.withoutAsking;
    form->Reopen();
    form->ShowStep(c.step);
    if (c.answer != ModalResult::None) platform.dialogs.Expect(question, c.answer);
    EXPECT_EQ(form->Close(), c.closes) << c.step;
    EXPECT_EQ(engine::StopRequested, c.stops) << c.step;
    EXPECT_TRUE(platform.dialogs.AllAnswered());
  }
  EXPECT_EQ(platform.dialogs.shown.back().type, plat::DlgType::Confirmation);
}

TEST_F(WizardFrameTest, FinishPageShowsTheStartBoxesOfTheChosenProducts) {
  form->CheckListBox1->SetChecked(0, false);
  form->ShowStep(8);
  EXPECT_FALSE(form->CheckBox5->Visible());
  EXPECT_FALSE(form->CheckBox2->Visible());
  EXPECT_TRUE(form->CheckBox3->Visible());
}

TEST_F(WizardFrameTest, MasteringShowsNoPageAndEndsTheProgram) {
  plat::headless::HeadlessPlatform fresh;
  // No build folders here: the mastering fails with its one message and exit code 1.
  fresh.dialogs.ExpectStartingWith("Nie udało się utworzyć nośnika instalacyjnego",
                                   ModalResult::OK);
  TInstalatorForm mastering(nullptr, "InstalatorForm", {"disc", "C:\\medium\\"});
  fresh.gui.ShowModal(mastering);
  EXPECT_EQ(mastering.CurrentStep, -1);
  EXPECT_TRUE(fresh.gui.Terminated());
  EXPECT_TRUE(engine::CloseWithoutAsking);
  EXPECT_EQ(engine::ExitCode, 1);
  EXPECT_TRUE(fresh.dialogs.AllAnswered());
}

TEST_F(WizardFrameTest, TheMediumDecidesWhichProductsAreOfferedAndWhichAgreement) {
  plat::headless::HeadlessPlatform fresh;
  fresh.files.SetModulePath("D:\\Install.exe");
  fresh.files.AddDrive('D');
  fresh.files.PutFile("D:\\appid.dat", "S");
  TInstalatorForm serverOnly(nullptr, "InstalatorForm", {});
  fresh.gui.ShowForm(serverOnly);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(serverOnly.CheckListBox1->ItemEnabled(i), i == 3) << i;
    EXPECT_EQ(serverOnly.CheckListBox1->Checked(i), i == 3) << i;
  }
  EXPECT_EQ(serverOnly.CheckListBox1->Items()[3].caption, "Serwer FTP  ver.1.151");
  EXPECT_EQ(serverOnly.MemoLicSh->Lines()[0],
            "UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTPSrv”");
  // A disabled item cannot be ticked by the user, and stays unticked on later visits.
  serverOnly.CheckListBox1->UserToggle(0);
  serverOnly.CheckBox1->SetChecked(true);
  serverOnly.BitBtn2->Click();
  EXPECT_FALSE(serverOnly.CheckListBox1->Checked(0));
}

TEST_F(WizardFrameTest, SourceDirIsTheProgramsOwnFolder) {
  EXPECT_EQ(form->SourceDir, "C:\\");
  plat::headless::HeadlessPlatform fresh;
  fresh.files.SetModulePath("D:\\Nośnik instalacyjny\\Install.exe");
  TInstalatorForm other(nullptr, "InstalatorForm", {});
  fresh.gui.ShowForm(other);
  EXPECT_EQ(other.SourceDir, "D:\\Nośnik instalacyjny\\");
}

TEST_F(WizardFrameTest, EveryTextOnTheFormSurvivesWindows1250) {
  std::vector<const plat::gui::Component*> pending{form.get()};
  int checked = 0;
  while (!pending.empty()) {
    const auto* c = pending.back();
    pending.pop_back();
    for (const auto* owned : c->Components()) pending.push_back(owned);
    if (const auto* control = dynamic_cast<const plat::gui::Control*>(c)) {
      EXPECT_TRUE(plat::IsCp1250Representable(control->Caption())) << control->Name();
      ++checked;
    }
    if (const auto* list = dynamic_cast<const plat::gui::CheckListBox*>(c)) {
      for (const auto& item : list->Items()) {
        EXPECT_TRUE(plat::IsCp1250Representable(item.caption));
      }
    }
  }
  EXPECT_GT(checked, 60);
  for (auto type : {plat::DlgType::Warning, plat::DlgType::Error, plat::DlgType::Information,
                    plat::DlgType::Confirmation})
    EXPECT_TRUE(plat::IsCp1250Representable(plat::CaptionOf(type)));
  for (int b = 0; b <= static_cast<int>(plat::DlgButton::Help); ++b)
    EXPECT_TRUE(plat::IsCp1250Representable(plat::CaptionOf(static_cast<plat::DlgButton>(b))));
}
