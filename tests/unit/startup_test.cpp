// The entry's refusals and exit codes, the background window's gradient and labels, the licence.
#include <gtest/gtest.h>

#include "install_fixture.h"
#include "startup/components.h"
#include "startup/entry.h"
#include "startup/inst_back.h"
#include "startup/res_meter.h"
#include "wizard/licence.h"

using plat::ModalResult;
using namespace startup;
using installtest::FakeChecks;

// Refused with 2, no wizard; only the exact words DISC and BUNDLE skip the check (they end with 1).
TEST(Entry, RefusalsEndWithTwoAndTheTitleComesAfterTheResourceCheck) {
  const std::string resources =
      "Instalator pakietu Vortel PRO\rBrak wystarczających zasobów systemowych do uruchomienia "
      "programu.\rProszę zamknąć część aplikacji i spróbować uruchomić program ponownie.\r\r"
      "Wolne zasoby: 3%";
  const std::string running =
      "Instalator wykrył, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\rPrzed "
      "instalacją obecnej wersji należy je zakończyć.";
  const std::string title = "Instalator pakietu Vor - tel PRO";
  const std::tuple<bool, std::vector<std::string>, std::string, int, std::string, int> cases[] = {
      {false, {}, resources, 2, "", 0},
      {true, {"x", "DISC"}, running, 2, title, 1},
      {true, {"DISC"}, "Nie udało się utworzyć nośnika", 1, title, 0},
      {true,
       {"BUNDLE"},
       "Nie udało się utworzyć pliku instalacyjnego \"\".\rUżycie: ",
       1,
       title,
       0}};
  for (const auto& [enough, args, text, code, shownTitle, runningQueries] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    plat::headless::HeadlessPlatform platform;
    FakeChecks checks;
    checks.enough = enough;
    checks.running = true;
    platform.dialogs.ExpectStartingWith(text, ModalResult::OK);
    EXPECT_EQ(startup::ProgramMain(args, checks), code);
    const auto& shown = platform.dialogs.shown.back();
    EXPECT_EQ(
        std::to_string(shown.type == plat::DlgType::Information) + "|" +
            (code == 2 ? shown.text : text) + "|" + ::testing::PrintToString(checks.minimums) +
            "|" + std::to_string(checks.runningQueries) + "|" + platform.gui.title + "|" +
            std::to_string(platform.gui.shownForms.size()),
        std::to_string(code == 2) + "|" + text + "|{ 6, 6, 4 }|" + std::to_string(runningQueries) +
            "|" + shownTitle + "|" + (code == 2 ? "0" : "2"));
  }
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
  const auto& f = canvas.fills;  // 70.5 rounds to the even 70
  EXPECT_EQ(std::vector<long long>({f[0].color >> 16, f[10].color >> 16, f[99].color, f[42].top,
                                    f[42].right - f[42].left, f[99].bottom}),
            std::vector<long long>({50, 70, 253 << 16, f[41].bottom, 800, 600}));
  // 150 px gives 1.5 px bands, rounded half to even.
  EXPECT_EQ(TInstForm::BandTop(150, 1), 2);
  EXPECT_EQ(TInstForm::BandTop(150, 3), 4);
  EXPECT_EQ(form.Label1->Caption(), "Vortel PRO");
  EXPECT_EQ(form.Label2->Caption(), "wersja: 3.04");
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
      {7, "UMOWA LICENCYJNA UŻYTKOWNIKA PAKIETU PROGRAMÓW „VORTEL PRO”"}};
  for (const auto& [kind, title] : kinds) {
    const auto lines = wizard::AgreementLines(kind);
    ASSERT_GT(lines.size(), 9u);
    const size_t n = lines.size();
    EXPECT_EQ(
        lines[0] + "|" + lines[1] + "|" + lines[n - 7] + "|" + lines[n - 6] + "|" + lines[n - 5],
        title + "||PRODUCENT||Norvik-Soft Sp. z o.o.");
  }
}

TEST(ResourceMeter, MinimumsAreInclusiveAndEachKindIsCheckedAgainstItsOwn) {
  plat::headless::HeadlessPlatform platform;
  EXPECT_TRUE(CheckFreeResources(100, 100, 100));  // the NT family reads nothing
  EXPECT_TRUE(platform.meter.queried.empty());
  EXPECT_EQ(ResourceMeterText(),
            "Wolne zasoby:\r    Systemu\t: brak danych\r    Użytkownika\t: brak danych\r"
            "    GDI\t\t: brak danych");
  platform.version.ntFamily = false;
  const std::tuple<int, int, int, bool> cases[] = {
      {6, 6, 4, true},    {80, 80, 3, false},  {5, 80, 80, false},
      {80, 5, 80, false}, {-1, 80, 80, false}, {100, 100, 100, true},
  };
  auto read = [&](int system, int user, int gdi) {
    auto& r = platform.meter.readings;
    r[kSystemResources] = system, r[kUserResources] = user, r[kGdiResources] = gdi;
  };
  for (const auto& [system, user, gdi, passes] : cases) {
    read(system, user, gdi);
    platform.meter.queried.clear();
    EXPECT_EQ(CheckFreeResources(6, 6, 4), passes) << system << " " << user << " " << gdi;
  }
  EXPECT_EQ(platform.meter.queried, (std::vector<int>{0, 1, 2}));  // system, GDI, user
  read(0, 101, 3);
  EXPECT_EQ(ResourceMeterText(),
            "Wolne zasoby:\r    Systemu\t: 0%\r    Użytkownika\t: brak danych\r    GDI\t\t: 3%");
}

TEST(Components, TitlesAndExecutablesInAnyLetterCaseTheTitlePassFirstNeverTheOwnApplication) {
  plat::headless::HeadlessPlatform platform;
  auto& desktop = platform.desktop;
  const std::tuple<const char*, const char*, bool> titles[] = {
      {"TApplication", "mój VORTEL terminal", true},
      {"TApplication", "wsadowy KLIENT ftp", true},  // found through "Klient FTP"
      {"TForm1", "Vortel", false},                   // not an application window
      {"tapplication", "Vortel", false},             // the class is exact
  };
  for (const auto& [cls, title, found] : titles) {
    desktop.windows.clear();
    EXPECT_EQ(ComponentWindowTest(desktop.Add(cls, title, 7)), found) << cls << " / " << title;
  }
  const std::pair<const char*, bool> executables[] = {{"C:\\X\\norvikftp.EXE", true},
                                                      {"D:NORVIKFTPSRV.EXE", true},
                                                      {"C:\\Vortel.exe\\other.exe", false},
                                                      {"C:\\X\\Vortel.exe.bak", false}};
  for (const auto& [exe, found] : executables) {
    desktop.windows.clear();
    const auto w = desktop.Add("TApplication", "Bez nazwy", 5);
    desktop.processes = {{3, "C:\\other.exe"}, {5, exe}};
    EXPECT_EQ(ComponentProcessTest(w), found) << exe;
  }
  desktop.processes = {{5, "C:\\Vortel.exe"}};
  EXPECT_FALSE(ComponentProcessTest(desktop.Add("TMainForm", "Bez nazwy", 5)));
  EXPECT_EQ(WindowExeName(desktop.Add("TApplication", "x", 9)), "");
  // The title pass runs first, and the program's own application window is never examined.
  desktop.windows.clear();
  desktop.visited = 0;
  desktop.Add("TApplication", "Serwer FTP", 2);
  desktop.Add("TApplication", "Vortel", 3);
  EXPECT_TRUE(IsAnyComponentRunning());
  EXPECT_EQ(desktop.visited, 1);
  desktop.windows.clear();
  desktop.ownApplicationWindow = desktop.Add("TApplication", "Vortel", 1);
  desktop.processes = {{1, "C:\\Medium\\Vortel.exe"}};
  EXPECT_FALSE(IsAnyComponentRunning());
  desktop.Add("TApplication", "Bez nazwy", 5);
  desktop.processes.clear();  // without a snapshot only titles count
  EXPECT_FALSE(IsAnyComponentRunning());
}
