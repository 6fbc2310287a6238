// The entry's refusals and exit codes, the background window's gradient and labels, the
// licence text.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "startup/entry.h"
#include "startup/inst_back.h"
#include "wizard/licence.h"

using plat::ModalResult;
using startup::TInstForm;

namespace {

struct FakeChecks : startup::StartupChecks {
  bool enough = true, running = false;
  int runningQueries = 0;
  std::vector<int> minimums;
  bool CheckFreeResources(int s, int u, int g) override {
    minimums = {s, u, g};
    return enough;
  }
  std::string ResourceMeterText() override { return "Wolne zasoby: 3%"; }
  bool IsAnyComponentRunning() override {
    ++runningQueries;
    return running;
  }
};

const char kRunning[] =
    "Instalator wykrył, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\rPrzed "
    "instalacją obecnej wersji należy je zakończyć.";

}  // namespace

TEST(Entry, ShortResourcesRefuseWithTwoBeforeTheTitleAndTheRunningCheck) {
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  checks.enough = false;
  checks.running = true;
  platform.dialogs.Expect(
      "Instalator pakietu Vortel PRO\rBrak wystarczających zasobów systemowych do uruchomienia "
      "programu.\rProszę zamknąć część aplikacji i spróbować uruchomić program ponownie.\r\r"
      "Wolne zasoby: 3%",
      ModalResult::OK);
  EXPECT_EQ(startup::ProgramMain({}, checks), 2);
  EXPECT_EQ(checks.minimums, (std::vector<int>{6, 6, 4}));
  EXPECT_EQ(checks.runningQueries, 0);
  EXPECT_EQ(platform.dialogs.shown.back().type, plat::DlgType::Information);
  EXPECT_TRUE(platform.gui.shownForms.empty());
  EXPECT_EQ(platform.gui.title, "");
}

TEST(Entry, ARunningComponentRefusesWithTwoUnlessTheFirstWordIsExactlyDisc) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"disc"}, {"x", "DISC"}}) {
    plat::headless::HeadlessPlatform platform;
    FakeChecks checks;
    checks.running = true;
    platform.dialogs.Expect(kRunning, ModalResult::OK);
    EXPECT_EQ(startup::ProgramMain(args, checks), 2) << ::testing::PrintToString(args);
    EXPECT_TRUE(platform.gui.shownForms.empty());
    EXPECT_EQ(platform.gui.title, "Instalator pakietu Vor - tel PRO");
  }
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  checks.running = true;
  // Nothing to master here: the mastering mode reports that, which shows it ran.
  platform.dialogs.ExpectStartingWith("Nie udało się utworzyć nośnika", ModalResult::OK);
  EXPECT_EQ(startup::ProgramMain({"DISC"}, checks), 1);
  EXPECT_EQ(checks.runningQueries, 0);
  EXPECT_EQ(platform.gui.shownForms[0], "InstForm");
}

TEST(Entry, TheWizardOpensFromThePostedMessageAfterTheBackgroundAndCancelledEndsWithFive) {
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  std::vector<std::string> order;
  platform.gui.whileModal = [&](plat::gui::Form& f) {
    order.push_back(f.Name());
    platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
    f.Close();
  };
  EXPECT_EQ(startup::ProgramMain({}, checks), 5);
  EXPECT_EQ(platform.gui.shownForms, (std::vector<std::string>{"InstForm", "InstalatorForm"}));
  EXPECT_EQ(order, std::vector<std::string>{"InstalatorForm"});
  EXPECT_TRUE(platform.gui.Terminated());
  // Showing the background only posts the start; the wizard comes with the message.
  plat::headless::HeadlessPlatform fresh;
  TInstForm form(nullptr, "InstForm", {});
  fresh.gui.ShowForm(form);
  EXPECT_EQ(form.InstalatorForm, nullptr);
  fresh.gui.whileModal = [](plat::gui::Form&) {};
  fresh.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
  fresh.gui.DeliverPosted();
  ASSERT_NE(form.InstalatorForm, nullptr);
  EXPECT_FALSE(form.Visible());
}

TEST(BackgroundWindow, GradientBandsFollowTheClientHeightAndTheVersionFollowsTheName) {
  plat::headless::HeadlessPlatform platform;
  TInstForm form(nullptr, "InstForm", {});
  form.SetClientSize(800, 600);
  plat::headless::RecordingCanvas canvas;
  form.OnPaint(canvas);
  ASSERT_EQ(canvas.fills.size(), 100u);
  EXPECT_EQ(canvas.fills[0].color, 50u << 16);
  EXPECT_EQ(canvas.fills[10].color, 70u << 16);  // 70.5 rounds to the even 70
  EXPECT_EQ(canvas.fills[99].color, 253u << 16);
  for (size_t i = 1; i < canvas.fills.size(); ++i)
    EXPECT_EQ(canvas.fills[i].top, canvas.fills[i - 1].bottom);
  EXPECT_EQ(canvas.fills[42].right - canvas.fills[42].left, 800);
  EXPECT_EQ(canvas.fills[0].top, 0);
  EXPECT_EQ(canvas.fills[99].bottom, 600);
  // 150 px gives 1.5 px bands, rounded half to even.
  EXPECT_EQ(TInstForm::BandTop(150, 1), 2);
  EXPECT_EQ(TInstForm::BandTop(150, 3), 4);
  EXPECT_EQ(form.Label1->Caption() + " " + form.Label2->Caption(), "Vortel PRO wersja: 3.04");
  EXPECT_GT(form.Label1->Width(), 0);
  EXPECT_EQ(form.Label2->Bounds().left, 32 + form.Label1->Width() + form.Label2->Height() / 2);
}

TEST(Licence, EachKindShowsItsAgreementThenTheAddress) {
  const std::string program = "UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „";
  const std::pair<int, std::string> kinds[] = {
      {0, "UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”"},
      {1, program + "VORTEL”"},
      {2, program + "Norvik-FTP”"},
      {3, program + "Norvik-FTPSrv”"},
      {7, "UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”"},
  };
  for (const auto& [kind, title] : kinds) {
    const auto lines = wizard::AgreementLines(kind);
    ASSERT_GT(lines.size(), 9u);
    const size_t n = lines.size();
    EXPECT_EQ(
        lines[0] + "|" + lines[1] + "|" + lines[n - 7] + "|" + lines[n - 6] + "|" + lines[n - 5],
        title + "||PRODUCENT||Norvik-Soft Sp. z o.o.");
  }
}
