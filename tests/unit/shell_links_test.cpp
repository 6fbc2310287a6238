// Shell folders, links and the decisions around shortcuts, on both Windows families. What the
// real link object stores is proven under Wine; here the failures and the older family.
#include "system/shell_links.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <sstream>

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

// "a,b" as a set of names.
std::set<std::string> Names(const std::string& list) {
  std::set<std::string> names;
  std::istringstream in(list);
  for (std::string name; std::getline(in, name, ',');) names.insert(name);
  return names;
}

class ShellLinksTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;

  void SetUp() override {
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Desktop", kUserDesktop);
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Programs", kUserPrograms);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Desktop", kCommonDesktop);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
    for (const char* folder : {kUserDesktop, kCommonDesktop, kUserPrograms, kCommonPrograms})
      ASSERT_TRUE(sys::CreateDirectoryPath(folder));
  }
  void TearDown() override {
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    EXPECT_EQ(platform.links.liveObjects, 0);
    EXPECT_EQ(registry.OpenKeys(), 0);
  }

  bool HasLink(const std::string& folder, const std::string& name) {
    return platform.files.Exists(folder + "\\" + name + ".lnk");
  }
  std::set<std::string> LinksIn(const std::string& folder) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(platform.files.HostPath(folder)))
      found.insert(entry.path().stem().string());
    return found;
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
  try {
    sys::CheckShellResult(1);  // S_FALSE is no success here
    ADD_FAILURE() << "S_FALSE passed";
  } catch (const plat::EShellOleError& e) {
    EXPECT_EQ(e.HResult(), 1u);
    EXPECT_STREQ(e.what(), "Wyjątek w funkcji OLE - HResult=$1, GetLastError=$2A");
  }
  for (const auto& entry : sys::ProgramGroupEntries)
    EXPECT_TRUE(plat::IsCp1250Representable(entry.caption)) << entry.caption;
}

TEST_F(ShellLinksTest, ShellFolderComesFromTheRootInUseWithItsMessagesWhenMissing) {
  EXPECT_EQ(sys::GetShellFolder("desktop"), kUserDesktop);  // value names ignore case
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Startup", "");
  const std::pair<RegRoot, const char*> cases[] = {
      {RegRoot::LocalMachine, "Element \"Common Startup\" nie znaleziony w Rejestrze"},
      {RegRoot::ClassesRoot,
       "Brak opisu folderów \"\\Software\\Microsoft\\Windows\\"
       "CurrentVersion\\Explorer\\Shell Folders\" w Rejestrze"}};
  for (const auto& [root, message] : cases) {
    sys::ShellFoldersRoot = root;
    try {
      sys::GetShellFolder("Common Startup");
      ADD_FAILURE() << message;
    } catch (const plat::ERegistryException& e) {
      EXPECT_STREQ(e.what(), message);
    }
  }
}

TEST_F(ShellLinksTest, EmptyFieldsAreLeftUnsetAndAnUnsavedLinkIsAFailure) {
  platform.links.failures = {
      {"SetArguments", 1}, {"SetWorkingDirectory", 1}, {"SetDescription", 1}};
  EXPECT_NO_THROW(sys::CreateShellLink("Pusty", "C:\\V\\Vortel.exe", "", "", "", "Desktop"));
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
  EXPECT_EQ(sys::CreateShellLinkWithIcon(tooLong, "C:\\V.exe", "", "", "", "Desktop", 0), full);
  EXPECT_FALSE(platform.files.Exists(full));
}

TEST_F(ShellLinksTest, IconLinkRaisesOnlyWhenTheObjectCannotBeMade) {
  EXPECT_EQ(
      ReadLink(sys::CreateShellLinkWithIcon("Doc", "C:\\a.pdf", "", "", "", "Desktop", 0)).iconFile,
      "");
  const std::pair<const char*, std::string> cases[] = {
      {"SetIconLocation", ""},  // before the path was known
      {"SetPath", ""},
      {"Save", std::string(kUserDesktop) + "\\Inny.lnk"},
  };
  for (const auto& [failingCall, result] : cases) {
    platform.links.failures = {{failingCall, 0x80004005}};
    EXPECT_EQ(sys::CreateShellLinkWithIcon("Inny", "C:\\F.exe", "", "", "", "Desktop", 1), result)
        << failingCall;
    EXPECT_FALSE(HasLink(kUserDesktop, "Inny")) << failingCall;
  }
  platform.links.failures = {};
  EXPECT_EQ(sys::CreateShellLinkWithIcon("Inny", "C:\\F.exe", "", "", "", "Startup", 1), "");
  platform.links.failures = {{"Create", 0x80040154}};
  EXPECT_THROW(sys::CreateShellLinkWithIcon("Inny", "C:\\F.exe", "", "", "", "Desktop", 1),
               plat::EShellOleError);
}

TEST_F(ShellLinksTest, ShortcutExistsLooksInTheAllUsersTwinOnNtAndLeavesTheRootAsItWas) {
  platform.files.PutFile(std::string(kCommonDesktop) + "\\Vortel.lnk", "");
  EXPECT_TRUE(sys::ShortcutExists("Vortel", "Common Desktop", true));  // no "Common Common"
  EXPECT_FALSE(sys::ShortcutExists("Vortel", "Desktop", false));
  EXPECT_EQ(sys::ShellFoldersRoot, RegRoot::CurrentUser);
  platform.version.ntFamily = false;
  EXPECT_FALSE(sys::ShortcutExists("Vortel", "Desktop", true));
}

TEST_F(ShellLinksTest, CreateShortcutDecidesWhereAndWhetherOnBothFamilies) {
  // Folder contents are comma-separated shortcut names; an empty final name means none made.
  struct Case {
    bool nt, useCommon, ask;
    const char *userBefore, *commonBefore;
    ModalResult answer;  // None: no question expected
    const char *finalName, *userAfter, *commonAfter;
  } cases[] = {
      {true, true, true, "", "", ModalResult::None, "Vortel", "", "Vortel"},
      {true, true, true, "", "Vortel", ModalResult::Yes, "Vortel (1)", "", "Vortel,Vortel (1)"},
      {true, true, true, "", "Vortel", ModalResult::No, "", "", "Vortel"},
      {true, true, true, "", "Vortel", ModalResult::Cancel, "", "", "Vortel"},
      {true, true, false, "", "Vortel", ModalResult::None, "", "", "Vortel"},
      // The all-users folder is the only one looked at when it is the one written to.
      {true, true, true, "Vortel", "", ModalResult::None, "Vortel", "Vortel", "Vortel"},
      // A per-user shortcut still minds one for all users.
      {true, false, true, "", "Vortel", ModalResult::Yes, "Vortel (1)", "Vortel (1)", "Vortel"},
      // The older family has no all-users folders at all.
      {false, true, true, "", "", ModalResult::None, "Vortel", "Vortel", ""},
      {false, true, true, "Vortel", "", ModalResult::Yes, "Vortel (1)", "Vortel,Vortel (1)", ""},
      {false, true, true, "", "Vortel", ModalResult::None, "Vortel", "Vortel", "Vortel"},
      {false, false, true, "Vortel", "", ModalResult::No, "", "Vortel", ""},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << index++);
    for (const char* folder : {kUserDesktop, kCommonDesktop})
      for (const auto& name : LinksIn(folder))
        platform.files.Remove(std::string(folder) + "\\" + name + ".lnk");
    platform.version.ntFamily = c.nt;
    for (const auto& name : Names(c.userBefore))
      platform.files.PutFile(std::string(kUserDesktop) + "\\" + name + ".lnk", "stary");
    for (const auto& name : Names(c.commonBefore))
      platform.files.PutFile(std::string(kCommonDesktop) + "\\" + name + ".lnk", "stary");
    if (c.answer != ModalResult::None) platform.dialogs.Expect(kExistsQuestion, c.answer);

    std::string finalName = "?";
    bool failed = true;
    const bool made = *c.finalName != '\0';
    EXPECT_EQ(sys::CreateShortcut("Vortel", "C:\\V\\Vortel.exe", "C:\\V", "", "", "Desktop",
                                  c.useCommon, c.ask, finalName, failed),
              made);
    EXPECT_FALSE(failed);
    EXPECT_EQ(finalName, made ? c.finalName : "Vortel");
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    EXPECT_EQ(LinksIn(kUserDesktop), Names(c.userAfter));
    EXPECT_EQ(LinksIn(kCommonDesktop), Names(c.commonAfter));
    // Shortcuts that were there stay as they were.
    for (const auto& name : Names(c.commonBefore))
      EXPECT_EQ(platform.files.ReadFile(std::string(kCommonDesktop) + "\\" + name + ".lnk"),
                "stary");
  }
}

TEST_F(ShellLinksTest, ShortcutNameAndArgumentsComeFromTheDocument) {
  struct Case {
    const char *linkName, *document, *name, *arguments;
  } cases[] = {
      {"", "", "my.prog", ""},
      {"Vortel", "c:\\v\\sesje\\bank.vl", "Vortel bank", "sesje\\bank.vl"},
      {"", "D:\\inne\\a.b.vl", "my.prog a", "D:\\inne\\a.b.vl"},
      {"Vortel", "C:poczta.vl", "Vortel poczta", "C:poczta.vl"},
  };
  for (const auto& c : cases) {
    std::string finalName;
    bool failed = true;
    ASSERT_TRUE(sys::CreateShortcut(c.linkName, "C:\\V\\my.prog.exe", "C:\\V", c.document, "Opis",
                                    "Desktop", true, true, finalName, failed));
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
  const std::pair<const char*, const char*> cases[] = {
      {"Startup", ""}, {"Desktop", "Create"}, {"Desktop", "SetPath"}, {"Desktop", "Save"}};
  for (const auto& [folderName, failingCall] : cases) {
    platform.links.failures = {{failingCall, 0x80004005}};
    std::string finalName;
    bool failed = false;
    EXPECT_FALSE(sys::CreateShortcut("Vortel", "C:\\V.exe", "C:\\", "", "", folderName, true, true,
                                     finalName, failed));
    EXPECT_TRUE(failed) << folderName << " " << failingCall;
    EXPECT_FALSE(HasLink(kCommonDesktop, "Vortel"));
  }
}

class ProgramGroupTest : public ShellLinksTest {
 protected:
  // The group's rows by their number in ProgramGroupEntries, e.g. "1 4 13 14".
  std::string GroupRows(const std::string& programs) {
    std::string rows;
    const auto host = platform.files.HostPath(programs + "\\Vortel PRO");
    if (!std::filesystem::exists(host)) return rows;
    std::set<std::string> files = LinksIn(programs + "\\Vortel PRO");
    for (size_t i = 0; i < sys::ProgramGroupEntries.size(); ++i)
      if (files.erase(sys::ProgramGroupEntries[i].caption))
        rows += (rows.empty() ? "" : " ") + std::to_string(i + 1);
    for (const auto& stray : files) rows += " stray " + stray;
    return rows;
  }
};

// The package's folder, then the emulator's, the FTP clients' and the server's.
const std::array<std::string, 4> kDirs = {"C:\\Vortel PRO\\", "C:\\Vortel PRO\\Vortel\\",
                                          "C:\\Vortel PRO\\FTP\\", "C:\\Vortel PRO\\Serwer\\"};

// The group for the selected products, in those folders.
void CreateProgramGroup(bool emulator, bool client, bool batch, bool server) {
  const auto& dirs = kDirs;
  auto in = [](bool chosen, const std::string& dir) { return chosen ? dir : std::string(); };
  sys::CreateProgramGroup(dirs[0], {in(emulator, dirs[1]), in(client, dirs[2]), in(batch, dirs[2]),
                                    in(server, dirs[3])});
}

TEST_F(ProgramGroupTest, GroupHoldsTheRowsOfTheSelectedProductsOnBothFamilies) {
  CreateProgramGroup(true, false, false, true);
  EXPECT_EQ(GroupRows(kCommonPrograms), "1 4 5 7 8 10 11 12 13 14");
  platform.version.ntFamily = false;
  CreateProgramGroup(false, false, true, false);
  EXPECT_EQ(GroupRows(kUserPrograms), "3 13 14");
}

TEST_F(ProgramGroupTest, EntriesPointIntoTheirProductFolders) {
  platform.files.PutFile(std::string(kCommonPrograms) + "\\Vortel PRO\\Klient FTP.lnk", "stary");
  CreateProgramGroup(true, true, true, true);
  const std::string group = std::string(kCommonPrograms) + "\\Vortel PRO\\";
  const auto& dirs = kDirs;
  struct Case {
    const char* caption;
    std::string target;
    const std::string& workingDir;
    int icon;
  } cases[] = {
      {"Vortel", dirs[1] + "Vortel.exe", dirs[1], 0},
      {"Klient FTP", dirs[2] + "NorvikFTP.exe", dirs[2], 1},
      {"Serwer FTP", dirs[3] + "NorvikFTPSrv.exe", dirs[3], 1},
      {"Odinstaluj", dirs[0] + "Uninstall.exe", dirs[0], 0},
  };
  for (const auto& c : cases) {
    const auto info = ReadLink(group + c.caption + ".lnk");
    EXPECT_EQ(info.target, c.target);
    EXPECT_EQ(info.arguments, std::string(c.caption) == "Odinstaluj" ? "/uninstall" : "");
    EXPECT_EQ(info.workingDir, c.workingDir);
    EXPECT_EQ(info.iconIndex, c.icon) << c.caption;
    EXPECT_EQ(info.iconFile, c.icon ? c.target : "") << c.caption;
  }
}

TEST_F(ProgramGroupTest, MissingFoldersOrBrokenShellMakeNoGroupAndRaiseNothing) {
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "");
  EXPECT_NO_THROW(CreateProgramGroup(true, true, true, true));
  EXPECT_EQ(GroupRows(kCommonPrograms), "");

  // A programs folder that is gone: the group is one level, never a chain of folders.
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "C:\\Brak\\Programy");
  EXPECT_NO_THROW(CreateProgramGroup(true, true, true, true));
  EXPECT_FALSE(platform.files.Exists("C:\\Brak"));

  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
  platform.links.failures = {{"Create", 0x80040154}};
  EXPECT_NO_THROW(CreateProgramGroup(true, true, true, true));
  EXPECT_TRUE(sys::DirectoryExists(std::string(kCommonPrograms) + "\\Vortel PRO"));
  EXPECT_EQ(GroupRows(kCommonPrograms), "");
}

}  // namespace
