// The refusal rules: free resources on the older family, programs of the package running.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "startup/components.h"
#include "startup/res_meter.h"

using namespace startup;

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
    platform.meter.readings[kSystemResources] = system;
    platform.meter.readings[kUserResources] = user;
    platform.meter.readings[kGdiResources] = gdi;
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

TEST(Components, ApplicationTitlesAndExecutablesAreFoundInAnyLetterCase) {
  plat::headless::HeadlessPlatform platform;
  auto& desktop = platform.desktop;
  const std::tuple<const char*, const char*, bool> titles[] = {
      {"TApplication", "mój VORTEL terminal", true},
      {"TApplication", "wsadowy KLIENT ftp", true},  // found through "Klient FTP"
      {"TApplication", "Serwer FTP", true},
      {"TApplication", "Instalator pakietu Vor - tel PRO", false},  // a second installer
      {"TForm1", "Vortel", false},                                  // not an application window
      {"TVortelFTPWsadForm", "cokolwiek", true},                    // the batch client's form
      {"tapplication", "Vortel", false},                            // the class is exact
  };
  for (const auto& [cls, title, found] : titles) {
    desktop.windows.clear();
    EXPECT_EQ(ComponentWindowTest(desktop.Add(cls, title, 7)), found) << cls << " / " << title;
  }
  const std::pair<const char*, bool> executables[] = {
      {"C:\\X\\norvikftp.EXE", true},       {"C:\\X\\NorvikFtpBatch.exe", true},
      {"D:NORVIKFTPSRV.EXE", true},         {"Vortel.exe", true},
      {"C:\\Vortel.exe\\other.exe", false}, {"C:\\X\\Vortel.exe.bak", false},
  };
  for (const auto& [exe, found] : executables) {
    desktop.windows.clear();
    const auto w = desktop.Add("TApplication", "Bez nazwy", 5);
    desktop.processes = {{3, "C:\\other.exe"}, {5, exe}};
    EXPECT_EQ(ComponentProcessTest(w), found) << exe;
  }
  desktop.processes = {{5, "C:\\Vortel.exe"}};
  EXPECT_FALSE(ComponentProcessTest(desktop.Add("TMainForm", "Bez nazwy", 5)));
  EXPECT_EQ(WindowExeName(desktop.Add("TApplication", "x", 9)), "");
}

TEST(Components, TheTitlePassRunsFirstAndTheOwnApplicationIsNeverExamined) {
  plat::headless::HeadlessPlatform platform;
  auto& desktop = platform.desktop;
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
