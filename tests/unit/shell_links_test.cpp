// Shell folders, links and the decisions around shortcuts, on both Windows families.
#include "system/shell_links.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "engine/target_dirs.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "platform/text.h"
#include "system/paths.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kUserDesktop[] = "C:\\Users\\jan\\Pulpit";
constexpr char kCommonDesktop[] = "C:\\Users\\Public\\Pulpit";
constexpr char kUserPrograms[] = "C:\\Users\\jan\\Menu\\Programy";
constexpr char kCommonPrograms[] = "C:\\ProgramData\\Menu\\Programy";
constexpr char kExistsQuestion[] = "Skrót 'Vortel' juz istnieje.\rCzy utworzyć następny ?";

class ShellLinksTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;

  void SetUp() override {
    sys::ShellFoldersRoot = RegRoot::CurrentUser;
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Desktop", kUserDesktop);
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Programs", kUserPrograms);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Desktop", kCommonDesktop);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
    for (const char* folder : {kUserDesktop, kCommonDesktop, kUserPrograms, kCommonPrograms})
      ASSERT_TRUE(sys::CreateDirectoryPath(folder));
    engine::TargetDirs = {"C:\\Vortel PRO\\", "C:\\Vortel PRO\\Vortel\\", "C:\\Vortel PRO\\FTP\\",
                          "C:\\Vortel PRO\\Serwer\\"};
  }
  void TearDown() override {
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    EXPECT_EQ(platform.links.liveObjects, 0);
    EXPECT_EQ(registry.OpenKeys(), 0);
  }

  void PutLink(const std::string& folder, const std::string& name) {
    platform.files.PutFile(folder + "\\" + name + ".lnk", "[ShellLink]\n");
  }
  bool HasLink(const std::string& folder, const std::string& name) {
    return platform.files.Exists(folder + "\\" + name + ".lnk");
  }
  plat::ShellLinkInfo ReadLink(const std::string& path) {
    plat::ShellLinkInfo info;
    EXPECT_TRUE(platform.links.Read(path, info)) << path;
    return info;
  }
};

TEST_F(ShellLinksTest, CheckShellResultRaisesForEveryResultButZero) {
  EXPECT_NO_THROW(sys::CheckShellResult(0));
  platform.links.lastError = 0x2A;
  struct Case {
    uint32_t result;
    const char* message;
  } cases[] = {
      {1, "Wyjątek w funkcji OLE - HResult=$1, GetLastError=$2A"},  // S_FALSE is no success here
      {0x80004005, "Wyjątek w funkcji OLE - HResult=$80004005, GetLastError=$2A"},
      {0x800700CE, "Wyjątek w funkcji OLE - HResult=$800700CE, GetLastError=$2A"},
  };
  for (const auto& c : cases) {
    try {
      sys::CheckShellResult(c.result);
      ADD_FAILURE() << c.result << " passed";
    } catch (const plat::EShellOleError& e) {
      EXPECT_STREQ(e.what(), c.message);
      EXPECT_EQ(e.HResult(), c.result);
    }
  }
}

TEST_F(ShellLinksTest, GroupCaptionsAndQuestionFitWindows1250) {
  for (const auto& entry : sys::ProgramGroupEntries) {
    EXPECT_TRUE(plat::IsCp1250Representable(entry.caption)) << entry.caption;
    EXPECT_TRUE(plat::IsCp1250Representable(entry.descriptor)) << entry.descriptor;
  }
  EXPECT_TRUE(plat::IsCp1250Representable(kExistsQuestion));
}

TEST_F(ShellLinksTest, ShellFolderComesFromTheRootInUseWithItsMessagesWhenMissing) {
  EXPECT_EQ(sys::GetShellFolder("desktop"), kUserDesktop);  // value names ignore case
  sys::ShellFoldersRoot = RegRoot::LocalMachine;
  EXPECT_EQ(sys::GetShellFolder("Common Desktop"), kCommonDesktop);
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Startup", "");
  struct Case {
    RegRoot root;
    const char* name;
    const char* message;
  } cases[] = {
      {RegRoot::LocalMachine, "Desktop", "Element \"Desktop\" nie znaleziony w Rejestrze"},
      {RegRoot::LocalMachine, "Common Startup",
       "Element \"Common Startup\" nie znaleziony w Rejestrze"},
      {RegRoot::ClassesRoot, "Desktop",
       "Brak opisu folderów "
       "\"\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\" w Rejestrze"},
  };
  for (const auto& c : cases) {
    sys::ShellFoldersRoot = c.root;
    try {
      sys::GetShellFolder(c.name);
      ADD_FAILURE() << c.name << " was found";
    } catch (const plat::ERegistryException& e) {
      EXPECT_STREQ(e.what(), c.message);
      EXPECT_TRUE(plat::IsCp1250Representable(e.what()));
    }
  }
}

TEST_F(ShellLinksTest, LinkHoldsWhatWasAskedAndLeavesEmptyFieldsUnset) {
  const std::string path =
      sys::CreateShellLink("Vortel", "C:\\V\\Vortel.exe", "a.vl", "C:\\V", "Emulator", "Desktop");
  EXPECT_EQ(path, std::string(kUserDesktop) + "\\Vortel.lnk");
  auto info = ReadLink(path);
  EXPECT_EQ(info.target, "C:\\V\\Vortel.exe");
  EXPECT_EQ(info.arguments, "a.vl");
  EXPECT_EQ(info.workingDir, "C:\\V");
  EXPECT_EQ(info.description, "Emulator");
  EXPECT_EQ(info.iconFile, "");

  platform.links.failures = {{"SetArguments", 0x80004005},
                             {"SetWorkingDirectory", 0x80004005},
                             {"SetDescription", 0x80004005}};
  info = ReadLink(sys::CreateShellLink("Pusty", "C:\\V\\Vortel.exe", "", "", "", "Desktop"));
  EXPECT_EQ(info.target, "C:\\V\\Vortel.exe");
}

TEST_F(ShellLinksTest, LinkThatWasNotSavedIsAFailureNotASuccess) {
  registry.Set(RegRoot::CurrentUser, kShellFolders, "Startup", "C:\\brak\\Autostart");
  EXPECT_THROW(sys::CreateShellLink("Vortel", "C:\\V.exe", "", "", "", "Startup"),
               plat::EShellOleError);
  platform.links.failures = {{"Save", 0x80070005}};
  EXPECT_THROW(sys::CreateShellLink("Vortel", "C:\\V.exe", "", "", "", "Desktop"),
               plat::EShellOleError);
  EXPECT_FALSE(HasLink(kUserDesktop, "Vortel"));
}

TEST_F(ShellLinksTest, OverlongLinkPathIsRefusedNotCut) {
  const std::string folder = std::string(kUserDesktop) + "\\";
  // folder + name + ".lnk" = 259 characters fits, 260 does not.
  const std::string fits(259 - folder.size() - 4, 'x');
  EXPECT_EQ(sys::CreateShellLink(fits, "C:\\V.exe", "", "", "", "Desktop").size(), 259u);
  const std::string tooLong = fits + "y";
  EXPECT_THROW(sys::CreateShellLink(tooLong, "C:\\V.exe", "", "", "", "Desktop"),
               plat::EShellOleError);
  const std::string full = folder + tooLong + ".lnk";
  EXPECT_FALSE(platform.files.Exists(full));
  EXPECT_FALSE(platform.files.Exists(full.substr(0, 259)));  // the cut name of old
  EXPECT_EQ(sys::CreateShellLinkWithIcon(tooLong, "C:\\V.exe", "", "", "", "Desktop", 0),
            folder + tooLong + ".lnk");
  EXPECT_FALSE(platform.files.Exists(full));
}

TEST_F(ShellLinksTest, IconLinkRaisesOnlyWhenTheObjectCannotBeMade) {
  const std::string path = std::string(kUserDesktop) + "\\FTP.lnk";
  EXPECT_EQ(sys::CreateShellLinkWithIcon("FTP", "C:\\F\\NorvikFTP.exe", "", "", "", "Desktop", 1),
            path);
  auto info = ReadLink(path);
  EXPECT_EQ(info.iconFile, "C:\\F\\NorvikFTP.exe");
  EXPECT_EQ(info.iconIndex, 1);
  info = ReadLink(sys::CreateShellLinkWithIcon("Doc", "C:\\F\\a.pdf", "", "", "", "Desktop", 0));
  EXPECT_EQ(info.iconFile, "");

  struct Case {
    const char* failingCall;
    const char* folderName;
    std::string result;
  } cases[] = {
      {"SetIconLocation", "Desktop", ""},  // before the path was known
      {"SetPath", "Desktop", ""},
      {"", "Startup", ""},  // no such shell folder
      {"Save", "Desktop", std::string(kUserDesktop) + "\\Inny.lnk"},
  };
  for (const auto& c : cases) {
    platform.links.failures = {{c.failingCall, 0x80004005}};
    EXPECT_EQ(sys::CreateShellLinkWithIcon("Inny", "C:\\F.exe", "", "", "", c.folderName, 1),
              c.result)
        << c.failingCall;
    EXPECT_FALSE(HasLink(kUserDesktop, "Inny")) << c.failingCall;
  }
  platform.links.failures = {{"Create", 0x80040154}};
  EXPECT_THROW(sys::CreateShellLinkWithIcon("Inny", "C:\\F.exe", "", "", "", "Desktop", 1),
               plat::EShellOleError);
}

TEST_F(ShellLinksTest, ShortcutExistsLooksInTheAllUsersFolderOnlyOnNt) {
  struct Case {
    bool nt;
    bool alsoCommon;
    const char* folderName;
    bool inUser, inCommon;
    bool found;
  } cases[] = {
      {true, true, "Desktop", false, true, true},
      {true, true, "Desktop", true, false, true},
      {true, true, "Desktop", false, false, false},
      {true, true, "Common Desktop", false, true, true},  // the prefix is not doubled
      {true, false, "Desktop", false, true, false},
      {false, true, "Desktop", false, true, false},
      {false, true, "Desktop", true, false, true},
      {false, false, "Desktop", true, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "nt " << c.nt << " alsoCommon " << c.alsoCommon << " " << c.folderName
                 << " user " << c.inUser << " common " << c.inCommon);
    platform.version.ntFamily = c.nt;
    platform.files.Remove(std::string(kUserDesktop) + "\\Vortel.lnk");
    platform.files.Remove(std::string(kCommonDesktop) + "\\Vortel.lnk");
    if (c.inUser) PutLink(kUserDesktop, "Vortel");
    if (c.inCommon) PutLink(kCommonDesktop, "Vortel");
    sys::ShellFoldersRoot = RegRoot::CurrentUser;
    EXPECT_EQ(sys::ShortcutExists("Vortel", c.folderName, c.alsoCommon), c.found);
    EXPECT_EQ(sys::ShellFoldersRoot, RegRoot::CurrentUser);
  }
}

TEST_F(ShellLinksTest, ShortcutExistsLeavesTheMachineRootWhenTheAllUsersLookupFails) {
  registry.Set(RegRoot::CurrentUser, kShellFolders, "Startup", "C:\\Users\\jan\\Autostart");
  EXPECT_THROW(sys::ShortcutExists("Vortel", "Startup", true), plat::ERegistryException);
  EXPECT_EQ(sys::ShellFoldersRoot, RegRoot::LocalMachine);
  platform.version.ntFamily = false;
  sys::ShellFoldersRoot = RegRoot::CurrentUser;
  EXPECT_FALSE(sys::ShortcutExists("Vortel", "Startup", true));
}

enum class Answer { None, Yes, No, Cancel };

TEST_F(ShellLinksTest, CreateShortcutDecidesWhereAndWhetherOnBothFamilies) {
  struct Case {
    bool nt, useCommon, ask;
    std::vector<std::string> userBefore, commonBefore;
    Answer answer;
    bool made;
    std::string finalName;
    std::set<std::string> userAfter, commonAfter;
  } cases[] = {
      {true, true, true, {}, {}, Answer::None, true, "Vortel", {}, {"Vortel"}},
      {true,
       true,
       true,
       {},
       {"Vortel"},
       Answer::Yes,
       true,
       "Vortel (1)",
       {},
       {"Vortel", "Vortel (1)"}},
      {true,
       true,
       true,
       {},
       {"Vortel", "Vortel (1)"},
       Answer::Yes,
       true,
       "Vortel (2)",
       {},
       {"Vortel", "Vortel (1)", "Vortel (2)"}},
      {true, true, true, {}, {"Vortel"}, Answer::No, false, "Vortel", {}, {"Vortel"}},
      {true, true, true, {}, {"Vortel"}, Answer::Cancel, false, "Vortel", {}, {"Vortel"}},
      {true, true, false, {}, {"Vortel"}, Answer::None, false, "Vortel", {}, {"Vortel"}},
      // The all-users folder is the only one looked at when it is the one written to.
      {true, true, true, {"Vortel"}, {}, Answer::None, true, "Vortel", {"Vortel"}, {"Vortel"}},
      // A per-user shortcut still minds one for all users.
      {true,
       false,
       true,
       {},
       {"Vortel"},
       Answer::Yes,
       true,
       "Vortel (1)",
       {"Vortel (1)"},
       {"Vortel"}},
      {true, false, true, {}, {}, Answer::None, true, "Vortel", {"Vortel"}, {}},
      // The older family has no all-users folders at all.
      {false, true, true, {}, {}, Answer::None, true, "Vortel", {"Vortel"}, {}},
      {false,
       true,
       true,
       {"Vortel"},
       {},
       Answer::Yes,
       true,
       "Vortel (1)",
       {"Vortel", "Vortel (1)"},
       {}},
      {false, true, true, {}, {"Vortel"}, Answer::None, true, "Vortel", {"Vortel"}, {"Vortel"}},
      {false, false, true, {"Vortel"}, {}, Answer::No, false, "Vortel", {"Vortel"}, {}},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << index++);
    plat::headless::HeadlessPlatform fresh;  // each case on clean folders
    fresh.registry.Set(RegRoot::CurrentUser, kShellFolders, "Desktop", kUserDesktop);
    fresh.registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Desktop", kCommonDesktop);
    fresh.version.ntFamily = c.nt;
    for (const auto& name : c.userBefore)
      fresh.files.PutFile(std::string(kUserDesktop) + "\\" + name + ".lnk", "stary");
    for (const auto& name : c.commonBefore)
      fresh.files.PutFile(std::string(kCommonDesktop) + "\\" + name + ".lnk", "stary");
    fresh.files.CreateFolder("C:\\Users");
    sys::CreateDirectoryPath(kUserDesktop);
    sys::CreateDirectoryPath(kCommonDesktop);
    const ModalResult answers[] = {ModalResult::None, ModalResult::Yes, ModalResult::No,
                                   ModalResult::Cancel};
    if (c.answer != Answer::None)
      fresh.dialogs.Expect(kExistsQuestion, answers[static_cast<int>(c.answer)]);

    std::string finalName = "?";
    bool failed = true;
    EXPECT_EQ(sys::CreateShortcut("Vortel", "C:\\V\\Vortel.exe", "C:\\V", "", "", "Desktop",
                                  c.useCommon, c.ask, finalName, failed),
              c.made);
    EXPECT_FALSE(failed);
    EXPECT_EQ(finalName, c.finalName);
    EXPECT_TRUE(fresh.dialogs.AllAnswered());
    if (c.answer != Answer::None) {
      EXPECT_EQ(fresh.dialogs.shown.back().type, plat::DlgType::Confirmation);
      EXPECT_EQ(fresh.dialogs.shown.back().buttons,
                (std::vector<plat::DlgButton>{plat::DlgButton::Yes, plat::DlgButton::No}));
    }
    auto names = [&](const char* folder) {
      std::set<std::string> found;
      for (const auto& entry : std::filesystem::directory_iterator(fresh.files.HostPath(folder)))
        found.insert(entry.path().stem().string());
      return found;
    };
    EXPECT_EQ(names(kUserDesktop), c.userAfter);
    EXPECT_EQ(names(kCommonDesktop), c.commonAfter);
    // Shortcuts that were there stay as they were.
    for (const auto& name : c.commonBefore)
      EXPECT_EQ(fresh.files.ReadFile(std::string(kCommonDesktop) + "\\" + name + ".lnk"), "stary");
  }
}

TEST_F(ShellLinksTest, ShortcutNameAndArgumentsComeFromTheDocument) {
  struct Case {
    const char* linkName;
    const char* target;
    const char* document;
    const char* name;
    const char* arguments;
  } cases[] = {
      {"Vortel", "C:\\V\\Vortel.exe", "", "Vortel", ""},
      {"", "C:\\V\\Vortel.exe", "", "Vortel", ""},
      {"", "C:\\V\\my.prog.exe", "", "my.prog", ""},
      {"Vortel", "C:\\V\\Vortel.exe", "c:\\v\\sesje\\bank.vl", "Vortel bank", "sesje\\bank.vl"},
      {"", "C:\\V\\Vortel.exe", "D:\\inne\\a.b.vl", "Vortel a", "D:\\inne\\a.b.vl"},
      {"Vortel", "C:\\V\\Vortel.exe", "C:poczta.vl", "Vortel poczta", "C:poczta.vl"},
  };
  for (const auto& c : cases) {
    std::string finalName;
    bool failed = true;
    ASSERT_TRUE(sys::CreateShortcut(c.linkName, c.target, "C:\\V", c.document, "Opis", "Desktop",
                                    true, true, finalName, failed));
    EXPECT_EQ(finalName, c.name);
    const std::string path = std::string(kCommonDesktop) + "\\" + c.name + ".lnk";
    const auto info = ReadLink(path);
    platform.files.Remove(path);
    EXPECT_EQ(info.arguments, c.arguments);
    EXPECT_EQ(info.workingDir, "C:\\V");
    EXPECT_EQ(info.description, "Opis");
  }
}

TEST_F(ShellLinksTest, CreateShortcutTurnsFailuresIntoAFlag) {
  struct Case {
    const char* folderName;
    const char* failingCall;
  } cases[] = {{"Startup", ""}, {"Desktop", "Create"}, {"Desktop", "SetPath"}, {"Desktop", "Save"}};
  for (const auto& c : cases) {
    platform.links.failures = {{c.failingCall, 0x80004005}};
    std::string finalName;
    bool failed = false;
    EXPECT_FALSE(sys::CreateShortcut("Vortel", "C:\\V.exe", "C:\\", "", "", c.folderName, true,
                                     true, finalName, failed));
    EXPECT_TRUE(failed) << c.folderName << " " << c.failingCall;
    EXPECT_FALSE(HasLink(kCommonDesktop, "Vortel"));
  }
}

class ProgramGroupTest : public ShellLinksTest {
 protected:
  std::vector<std::string> GroupRows(const std::string& programs) {
    std::vector<std::string> rows;
    const auto host = platform.files.HostPath(programs + "\\Vortel PRO");
    if (!std::filesystem::exists(host)) return rows;
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(host))
      files.insert(entry.path().filename().string());
    for (size_t i = 0; i < sys::ProgramGroupEntries.size(); ++i)
      if (files.erase(std::string(sys::ProgramGroupEntries[i].caption) + ".lnk"))
        rows.push_back(std::to_string(i + 1));
    for (const auto& stray : files) rows.push_back("stray " + stray);
    return rows;
  }
};

TEST_F(ProgramGroupTest, GroupHoldsTheRowsOfTheSelectedProductsOnBothFamilies) {
  struct Case {
    bool emulator, client, batch, server;
    std::vector<std::string> rows;
  } cases[] = {
      {true, false, false, true, {"1", "4", "5", "7", "8", "10", "11", "12", "13", "14"}},
      {false, true, false, false, {"2", "6", "9", "13", "14"}},
      {false, false, true, false, {"3", "13", "14"}},
      {false, false, false, false, {"13", "14"}},
      {true,
       true,
       true,
       true,
       {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14"}},
  };
  for (bool nt : {true, false}) {
    platform.version.ntFamily = nt;
    const std::string programs = nt ? kCommonPrograms : kUserPrograms;
    for (const auto& c : cases) {
      for (const char* folder : {kCommonPrograms, kUserPrograms})
        std::filesystem::remove_all(platform.files.HostPath(folder + std::string("\\Vortel PRO")));
      sys::CreateProgramGroup(c.emulator, c.client, c.batch, c.server);
      EXPECT_EQ(GroupRows(programs), c.rows) << "nt " << nt;
      EXPECT_EQ(GroupRows(nt ? kUserPrograms : kCommonPrograms), std::vector<std::string>());
    }
  }
}

TEST_F(ProgramGroupTest, EntriesPointIntoTheirProductFolders) {
  platform.files.PutFile(std::string(kCommonPrograms) + "\\Vortel PRO\\Klient FTP.lnk", "stary");
  sys::CreateProgramGroup(true, true, true, true);
  const std::string group = std::string(kCommonPrograms) + "\\Vortel PRO\\";
  struct Case {
    const char* caption;
    std::string target, arguments, workingDir;
    int icon;
  } cases[] = {
      {"Vortel", engine::TargetDirs[1] + "Vortel.exe", "", engine::TargetDirs[1], 0},
      {"Klient FTP", engine::TargetDirs[2] + "NorvikFTP.exe", "", engine::TargetDirs[2], 1},
      {"Wsadowy FTP", engine::TargetDirs[2] + "NorvikFTPBatch.exe", "", engine::TargetDirs[2], 1},
      {"Serwer FTP", engine::TargetDirs[3] + "NorvikFTPSrv.exe", "", engine::TargetDirs[3], 1},
      {"Dokumentacja - Serwer FTP",
       engine::TargetDirs[3] + "Norvik-FTPSrv - Dokumentacja Techniczna.pdf", "",
       engine::TargetDirs[3], 0},
      {"Zamówienie", engine::TargetDirs[0] + "Zamowienie.doc", "", engine::TargetDirs[0], 0},
      {"Odinstaluj", engine::TargetDirs[0] + "Uninstall.exe", "/uninstall", engine::TargetDirs[0],
       0},
  };
  for (const auto& c : cases) {
    const auto info = ReadLink(group + c.caption + ".lnk");
    EXPECT_EQ(info.target, c.target);
    EXPECT_EQ(info.arguments, c.arguments);
    EXPECT_EQ(info.workingDir, c.workingDir);
    EXPECT_EQ(info.description, "");
    EXPECT_EQ(info.iconIndex, c.icon) << c.caption;
    EXPECT_EQ(info.iconFile, c.icon ? c.target : "") << c.caption;
  }
}

TEST_F(ProgramGroupTest, MissingFoldersOrBrokenShellMakeNoGroupAndRaiseNothing) {
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "");
  EXPECT_NO_THROW(sys::CreateProgramGroup(true, true, true, true));
  EXPECT_EQ(GroupRows(kCommonPrograms), std::vector<std::string>());

  // A programs folder that is gone: the group is one level, never a chain of folders.
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "C:\\Brak\\Programy");
  EXPECT_NO_THROW(sys::CreateProgramGroup(true, true, true, true));
  EXPECT_FALSE(platform.files.Exists("C:\\Brak"));

  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
  platform.links.failures = {{"Create", 0x80040154}};
  EXPECT_NO_THROW(sys::CreateProgramGroup(true, true, true, true));
  EXPECT_TRUE(sys::DirectoryExists(std::string(kCommonPrograms) + "\\Vortel PRO"));
  EXPECT_EQ(GroupRows(kCommonPrograms), std::vector<std::string>());
}

}  // namespace
