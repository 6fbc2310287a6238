// The refusal rules: free resources on the older family, programs of the package running.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "startup/components.h"
#include "startup/res_meter.h"

using namespace startup;

class MeterTest : public ::testing::Test {
 protected:
  void Readings(int system, int user, int gdi) {
    platform.version.ntFamily = false;
    platform.meter.readings[kSystemResources] = system;
    platform.meter.readings[kUserResources] = user;
    platform.meter.readings[kGdiResources] = gdi;
  }
  plat::headless::HeadlessPlatform platform;
};

TEST_F(MeterTest, TheNtFamilyPassesWithoutReadingAnything) {
  EXPECT_TRUE(CheckFreeResources(100, 100, 100));
  EXPECT_TRUE(platform.meter.queried.empty());
  EXPECT_EQ(ResourceMeterText(),
            "Wolne zasoby:\r    Systemu\t: brak danych\r    Użytkownika\t: brak danych\r"
            "    GDI\t\t: brak danych");
}

TEST_F(MeterTest, MinimumsAreInclusiveAndEachKindIsCheckedAgainstItsOwn) {
  struct Case {
    int system, user, gdi;
    bool passes;
  } cases[] = {
      {6, 6, 4, true},   {80, 80, 3, false},  {5, 80, 80, false},    {80, 5, 80, false},
      {80, 80, 4, true}, {-1, 80, 80, false}, {100, 100, 100, true},
  };
  for (const auto& c : cases) {
    Readings(c.system, c.user, c.gdi);
    EXPECT_EQ(CheckFreeResources(6, 6, 4), c.passes) << c.system << " " << c.user << " " << c.gdi;
  }
  // Read in the order system, GDI, user.
  platform.meter.queried.clear();
  CheckFreeResources(6, 6, 4);
  EXPECT_EQ(platform.meter.queried, (std::vector<int>{0, 1, 2}));
}

TEST_F(MeterTest, TextShowsEachReadingOrNoData) {
  Readings(12, 45, 3);
  EXPECT_EQ(ResourceMeterText(),
            "Wolne zasoby:\r    Systemu\t: 12%\r    Użytkownika\t: 45%\r    GDI\t\t: 3%");
  Readings(0, 101, -1);
  EXPECT_EQ(ResourceMeterText(),
            "Wolne zasoby:\r    Systemu\t: 0%\r    Użytkownika\t: brak danych\r"
            "    GDI\t\t: brak danych");
}

class ComponentsTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessDesktop& desktop = platform.desktop;
  plat::headless::HeadlessPlatform platform;
};

TEST_F(ComponentsTest, ApplicationTitlesAreFoundInAnyLetterCase) {
  struct Case {
    const char* cls;
    const char* title;
    bool found;
  } cases[] = {
      {"TApplication", "Vortel", true},
      {"TApplication", "mój VORTEL terminal", true},
      {"TApplication", "wsadowy KLIENT ftp", true},  // found through "Klient FTP"
      {"TApplication", "Serwer FTP", true},
      {"TApplication", "Notatnik", false},
      {"TApplication", "Instalator pakietu Vor - tel PRO", false},  // a second installer
      {"TForm1", "Vortel", false},                                  // not an application window
      {"TVortelFTPWsadForm", "cokolwiek", true},                    // the batch client's form
      {"tapplication", "Vortel", false},                            // the class is exact
  };
  for (const auto& c : cases) {
    desktop.windows.clear();
    const auto w = desktop.Add(c.cls, c.title, 7);
    EXPECT_EQ(ComponentWindowTest(w), c.found) << c.cls << " / " << c.title;
  }
}

TEST_F(ComponentsTest, TheOwnApplicationWindowIsNeverExamined) {
  desktop.ownApplicationWindow = desktop.Add("TApplication", "Vortel", 1);
  desktop.processes = {{1, "C:\\Medium\\Vortel.exe"}};
  EXPECT_FALSE(IsAnyComponentRunning());
}

TEST_F(ComponentsTest, ExecutableNamesAreComparedWithoutRegardToCase) {
  struct Case {
    const char* exe;
    bool found;
  } cases[] = {
      {"C:\\Program Files\\Vortel\\Vortel.exe", true},
      {"C:\\X\\norvikftp.EXE", true},
      {"C:\\X\\NorvikFtpBatch.exe", true},
      {"D:NORVIKFTPSRV.EXE", true},  // the name after the last ":" too
      {"NorvikFTPSrv.exe", true},
      {"C:\\Vortel.exe\\other.exe", false},
      {"C:\\X\\Vortel.exe.bak", false},
      {"", false},
  };
  for (const auto& c : cases) {
    desktop.windows.clear();
    const auto w = desktop.Add("TApplication", "Bez nazwy", 5);
    desktop.processes = {{3, "C:\\other.exe"}, {5, c.exe}};
    EXPECT_EQ(ComponentProcessTest(w), c.found) << c.exe;
  }
}

TEST_F(ComponentsTest, OnlyApplicationWindowsAreLookedUpByExecutable) {
  const auto w = desktop.Add("TMainForm", "Bez nazwy", 5);
  desktop.processes = {{5, "C:\\Vortel.exe"}};
  EXPECT_FALSE(ComponentProcessTest(w));
}

TEST_F(ComponentsTest, WithoutASnapshotOnlyTitlesCount) {
  desktop.Add("TApplication", "Bez nazwy", 5);
  desktop.processes.clear();
  EXPECT_FALSE(IsAnyComponentRunning());
  desktop.Add("TApplication", "Klient FTP", 6);
  EXPECT_TRUE(IsAnyComponentRunning());
}

TEST_F(ComponentsTest, TheTitlePassRunsFirstAndStopsAtTheFirstFind) {
  desktop.Add("TApplication", "Serwer FTP", 2);
  desktop.Add("TApplication", "Vortel", 3);
  desktop.Add("Other", "x", 4);
  EXPECT_TRUE(IsAnyComponentRunning());
  EXPECT_EQ(desktop.visited, 1);
}

TEST_F(ComponentsTest, AWindowOfAnUnknownProcessHasNoExecutable) {
  desktop.windows.push_back({"TApplication", "x", 0, 9});
  desktop.processes = {{9, "C:\\Vortel.exe"}};
  EXPECT_EQ(WindowExeName(1), "");
}
