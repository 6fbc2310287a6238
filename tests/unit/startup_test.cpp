// The entry's refusals, the background window's gradient and labels, the licence text.
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
  int resourceQueries = 0, runningQueries = 0;
  std::vector<int> minimums;
  bool CheckFreeResources(int s, int u, int g) override {
    ++resourceQueries;
    minimums = {s, u, g};
    return enough;
  }
  std::string ResourceMeterText() override {
    return "Wolne zasoby:\r    Systemu\t: 3%\r    Użytkownika\t: 40%\r    GDI\t\t: 50%";
  }
  bool IsAnyComponentRunning() override {
    ++runningQueries;
    return running;
  }
};

const char kNoResources[] =
    "Instalator pakietu Vortel PRO\rBrak wystarczających zasobów systemowych do uruchomienia "
    "programu.\rProszę zamknąć część aplikacji i spróbować uruchomić program ponownie.\r\r"
    "Wolne zasoby:\r    Systemu\t: 3%\r    Użytkownika\t: 40%\r    GDI\t\t: 50%";
const char kRunning[] =
    "Instalator wykrył, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\rPrzed "
    "instalacją obecnej wersji należy je zakończyć.";

}  // namespace

TEST(Entry, ShortResourcesRefuseFirstAndSkipTheRunningCheck) {
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  checks.enough = false;
  checks.running = true;
  platform.dialogs.Expect(kNoResources, ModalResult::OK);
  startup::ProgramMain({}, checks);
  EXPECT_EQ(checks.minimums, (std::vector<int>{6, 6, 4}));
  EXPECT_EQ(checks.runningQueries, 0);
  EXPECT_EQ(platform.dialogs.shown.back().type, plat::DlgType::Information);
  EXPECT_TRUE(platform.gui.shownForms.empty());
  EXPECT_EQ(platform.gui.title, "");  // refused before the application is titled
}

TEST(Entry, ARunningComponentRefusesUnlessTheFirstWordIsExactlyDisc) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"disc"}, {"x", "DISC"}}) {
    plat::headless::HeadlessPlatform platform;
    FakeChecks checks;
    checks.running = true;
    platform.dialogs.Expect(kRunning, ModalResult::OK);
    startup::ProgramMain(args, checks);
    EXPECT_TRUE(platform.gui.shownForms.empty());
    EXPECT_EQ(platform.gui.title, "Instalator pakietu Vor - tel PRO");
    EXPECT_TRUE(platform.dialogs.AllAnswered());
  }
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  checks.running = true;
  // Nothing to master here: the mastering mode reports that, which shows it ran.
  platform.dialogs.ExpectStartingWith("Nie udało się utworzyć nośnika", ModalResult::OK);
  EXPECT_EQ(startup::ProgramMain({"DISC"}, checks), 1);
  EXPECT_EQ(checks.runningQueries, 0);
  ASSERT_FALSE(platform.gui.shownForms.empty());
  EXPECT_EQ(platform.gui.shownForms[0], "InstForm");
}

TEST(Entry, TheWizardOpensOnlyAfterTheBackgroundWindowIsShown) {
  plat::headless::HeadlessPlatform platform;
  FakeChecks checks;
  std::vector<std::string> order;
  platform.gui.whileModal = [&](plat::gui::Form& f) {
    order.push_back(f.Name());
    platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
    f.Close();
  };
  startup::ProgramMain({}, checks);
  ASSERT_EQ(platform.gui.shownForms.size(), 2u);
  EXPECT_EQ(platform.gui.shownForms[0], "InstForm");
  EXPECT_EQ(order, std::vector<std::string>{"InstalatorForm"});
  EXPECT_TRUE(platform.gui.Terminated());
}

TEST(BackgroundWindow, GradientBandsFollowTheClientHeight) {
  plat::headless::HeadlessPlatform platform;
  TInstForm form(nullptr, "InstForm", {});
  form.SetClientSize(800, 600);
  plat::headless::RecordingCanvas canvas;
  form.OnPaint(canvas);
  ASSERT_EQ(canvas.fills.size(), 100u);
  EXPECT_EQ(canvas.fills[0].color, 50u << 16);
  EXPECT_EQ(canvas.fills[99].color, 253u << 16);
  EXPECT_EQ(canvas.fills[10].color, 70u << 16);  // 70.5 rounds to the even 70
  for (size_t i = 1; i < canvas.fills.size(); ++i)
    EXPECT_EQ(canvas.fills[i].top, canvas.fills[i - 1].bottom);
  EXPECT_EQ(canvas.fills[42].right - canvas.fills[42].left, 800);
  EXPECT_EQ(canvas.fills[0].top, 0);
  EXPECT_EQ(canvas.fills[99].bottom, 600);
  // A height where bands are not whole: 150 px gives 1.5 px bands, rounded half to even.
  EXPECT_EQ(TInstForm::BandTop(150, 1), 2);
  EXPECT_EQ(TInstForm::BandTop(150, 3), 4);
}

TEST(BackgroundWindow, VersionLabelFollowsTheNameLabel) {
  plat::headless::HeadlessPlatform platform;
  TInstForm form(nullptr, "InstForm", {});
  EXPECT_EQ(form.Label1->Caption(), "Vortel PRO");
  EXPECT_EQ(form.Label2->Caption(), "wersja: 3.04");
  EXPECT_EQ(form.Label2->Bounds().left, 32 + form.Label1->Width() + form.Label2->Height() / 2);
  EXPECT_GT(form.Label1->Width(), 0);
}

TEST(BackgroundWindow, ShowingPostsTheStartMessageInsteadOfOpeningTheWizard) {
  plat::headless::HeadlessPlatform platform;
  TInstForm form(nullptr, "InstForm", {});
  platform.gui.ShowForm(form);
  EXPECT_EQ(form.InstalatorForm, nullptr);
  platform.gui.whileModal = [](plat::gui::Form&) {};
  platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
  platform.gui.DeliverPosted();
  ASSERT_NE(form.InstalatorForm, nullptr);
  EXPECT_FALSE(form.Visible());
}

TEST(Licence, EachKindShowsItsAgreementThenTheAddress) {
  const std::pair<int, const char*> kinds[] = {
      {0, "UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”"},
      {1, "UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „VORTEL”"},
      {2, "UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTP”"},
      {3, "UMOWA LICENCYJNA UŻYTKOWNIKA PROGRAMU „Norvik-FTPSrv”"},
      {7, "UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”"},
  };
  for (const auto& [kind, title] : kinds) {
    const auto lines = wizard::AgreementLines(kind);
    ASSERT_GT(lines.size(), 9u);
    EXPECT_EQ(lines[0], title);
    EXPECT_EQ(lines[1], "");
    const size_t n = lines.size();
    EXPECT_EQ(lines[n - 7], "PRODUCENT");
    EXPECT_EQ(lines[n - 6], "");
    EXPECT_EQ(lines[n - 5], "Norvik-Soft Sp. z o.o.");
  }
}
