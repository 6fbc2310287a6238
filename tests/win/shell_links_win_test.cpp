// Shortcuts and the program group against Wine's real shell link object and file system.
#include <array>
#include <gtest/gtest.h>
#include <set>

#include "engine/target_dirs.h"
#include "main_env.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/shell_links.h"
#include "system_env.h"

using plat::ModalResult;
using plat::win32::Wide;
using wintest::Listing;

namespace {

const std::string kShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kExistsQuestion[] = "Skrót 'Vortel' juz istnieje.\rCzy utworzyć następny ?";

void Touch(const std::string& path) {
  HANDLE h = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  CloseHandle(h);
}

// The user's and the all-users' desktop and programs folders pointed at fresh scratch folders,
// and the product folders filled with the files the links point at.
class ShellLinksWin : public ::testing::Test {
 protected:
  wintest::ScriptedWin32Platform platform;
  const std::string root =
      wintest::MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  const std::string userDesktop = Folder("Pulpit");
  const std::string commonDesktop = Folder("Pulpit wspólny");
  const std::string userPrograms = Folder("Programy");
  const std::string commonPrograms = Folder("Programy wspólne");
  wintest::ShellFolderOverride desktop{HKEY_CURRENT_USER, "Desktop", userDesktop};
  wintest::ShellFolderOverride commonDesktopValue{HKEY_LOCAL_MACHINE, "Common Desktop",
                                                  commonDesktop};
  wintest::ShellFolderOverride programs{HKEY_CURRENT_USER, "Programs", userPrograms};
  wintest::ShellFolderOverride commonProgramsValue{HKEY_LOCAL_MACHINE, "Common Programs",
                                                   commonPrograms};

  std::string Folder(const std::string& name) {
    const std::string folder = root + "\\" + name;
    CreateDirectoryW(Wide(folder).c_str(), nullptr);
    return folder;
  }
  void SetUp() override {
    ASSERT_TRUE(plat::Current().Version().IsNtFamily());
    const std::string main = Folder("Vortel PRO") + "\\";
    engine::TargetDirs = {main, Folder("Vortel PRO\\Vortel") + "\\",
                          Folder("Vortel PRO\\FTP") + "\\", Folder("Vortel PRO\\Serwer") + "\\"};
    for (const auto& entry : sys::ProgramGroupEntries) {
      const std::string descriptor = entry.descriptor;
      const size_t slot[] = {0, 1, 2, 2, 3};
      Touch(engine::TargetDirs[slot[descriptor[0] - '0']] + descriptor.substr(4));
    }
  }
  void TearDown() override { EXPECT_TRUE(platform.dialogs.AllAnswered()); }

  plat::ShellLinkInfo ReadLink(const std::string& path) {
    plat::ShellLinkInfo info;
    EXPECT_TRUE(plat::Current().Links().Read(path, info)) << path;
    return info;
  }
};

TEST_F(ShellLinksWin, WrittenLinkReadsBackWithEveryField) {
  const std::string target = engine::TargetDirs[2] + "NorvikFTP.exe";
  const std::string path =
      sys::CreateShellLinkWithIcon("Klient FTP", target, "/profil bank.pft", engine::TargetDirs[2],
                                   "Klient FTP – połączenia", "Desktop", 1);
  EXPECT_EQ(path, userDesktop + "\\Klient FTP.lnk");
  const auto info = ReadLink(path);
  EXPECT_EQ(info.target, target);
  EXPECT_EQ(info.arguments, "/profil bank.pft");
  EXPECT_EQ(info.workingDir, engine::TargetDirs[2]);
  EXPECT_EQ(info.description, "Klient FTP – połączenia");
  EXPECT_EQ(info.iconFile, target);
  EXPECT_EQ(info.iconIndex, 1);

  const auto plain = ReadLink(sys::CreateShellLink("Pusty", target, "", "", "", "Desktop"));
  EXPECT_EQ(plain.target, target);
  EXPECT_EQ(plain.arguments, "");
  EXPECT_EQ(plain.workingDir, "");
  EXPECT_EQ(plain.description, "");
  EXPECT_EQ(plain.iconFile, "");
}

TEST_F(ShellLinksWin, LinkThatCannotBeSavedIsReportedAsAFailure) {
  wintest::ShellFolderOverride startup(HKEY_CURRENT_USER, "Startup", root + "\\brak");
  EXPECT_THROW(
      sys::CreateShellLink("Vortel", engine::TargetDirs[1] + "Vortel.exe", "", "", "", "Startup"),
      plat::EShellOleError);
  std::string finalName;
  bool failed = false;
  EXPECT_FALSE(sys::CreateShortcut("Vortel", engine::TargetDirs[1] + "Vortel.exe",
                                   engine::TargetDirs[1], "", "", "Startup", false, true, finalName,
                                   failed));
  EXPECT_TRUE(failed);
  EXPECT_TRUE(Listing(root + "\\brak").empty());
}

TEST_F(ShellLinksWin, ExistingShortcutGetsNumberedSuccessorsOnlyWhenTheUserWantsThem) {
  const std::string target = engine::TargetDirs[1] + "Vortel.exe";
  auto create = [&](std::string& finalName) {
    bool failed = true;
    const bool made = sys::CreateShortcut("Vortel", target, engine::TargetDirs[1], "", "Vortel",
                                          "Desktop", true, true, finalName, failed);
    EXPECT_FALSE(failed);
    return made;
  };
  std::string finalName;
  ASSERT_TRUE(create(finalName));
  EXPECT_EQ(finalName, "Vortel");
  const auto first = ReadLink(commonDesktop + "\\Vortel.lnk");

  platform.dialogs.Expect(kExistsQuestion, ModalResult::Yes);
  ASSERT_TRUE(create(finalName));
  EXPECT_EQ(finalName, "Vortel (1)");
  platform.dialogs.Expect(kExistsQuestion, ModalResult::Yes);
  ASSERT_TRUE(create(finalName));
  EXPECT_EQ(finalName, "Vortel (2)");
  EXPECT_EQ(ReadLink(commonDesktop + "\\Vortel (2).lnk").target, target);

  platform.dialogs.Expect(kExistsQuestion, ModalResult::No);
  EXPECT_FALSE(create(finalName));
  EXPECT_EQ(Listing(commonDesktop),
            (std::vector<std::string>{"Vortel (1).lnk", "Vortel (2).lnk", "Vortel.lnk"}));
  EXPECT_EQ(ReadLink(commonDesktop + "\\Vortel.lnk").target, first.target);
  EXPECT_TRUE(Listing(userDesktop).empty());
}

TEST_F(ShellLinksWin, ProgramGroupHoldsExactlyTheRowsOfTheSelection) {
  const std::pair<std::array<bool, 4>, std::set<std::string>> cases[] = {
      {{true, false, false, true},
       {"Vortel", "Serwer FTP", "Pomoc - Vortel", "Pomoc - Serwer FTP", "Dokumentacja - Vortel",
        "Dokumentacja - Serwer FTP", "Informacje dodatkowe", "Polskie znaki", "Zamówienie",
        "Odinstaluj"}},
      {{false, true, true, false},
       {"Klient FTP", "Wsadowy FTP", "Pomoc - Klient FTP", "Dokumentacja - Klient FTP",
        "Zamówienie", "Odinstaluj"}},
  };
  // Each selection gets a programs folder of its own: the shell may still hold the links of
  // the one before, so they are not deleted in between.
  std::string group;
  int round = 0;
  for (const auto& [chosen, captions] : cases) {
    const std::string programs = Folder("Programy " + std::to_string(++round));
    wintest::ShellFolderOverride redirected(HKEY_LOCAL_MACHINE, "Common Programs", programs);
    const auto& dirs = engine::TargetDirs;
    auto in = [&](int product, int slot) { return chosen[product] ? dirs[slot] : std::string(); };
    sys::CreateProgramGroup(dirs[0], {in(0, 1), in(1, 2), in(2, 2), in(3, 3)});
    group = programs + "\\Vortel PRO";
    std::set<std::string> expected;
    for (const auto& caption : captions) expected.insert(caption + ".lnk");
    EXPECT_EQ(Listing(group), std::vector<std::string>(expected.begin(), expected.end()));
  }
  const auto uninstall = ReadLink(group + "\\Odinstaluj.lnk");
  EXPECT_EQ(uninstall.target, engine::TargetDirs[0] + "Uninstall.exe");
  EXPECT_EQ(uninstall.arguments, "/uninstall");
  EXPECT_EQ(uninstall.workingDir, engine::TargetDirs[0]);
  const auto batch = ReadLink(group + "\\Wsadowy FTP.lnk");
  EXPECT_EQ(batch.iconFile, engine::TargetDirs[2] + "NorvikFTPBatch.exe");
  EXPECT_EQ(batch.iconIndex, 1);
  EXPECT_TRUE(Listing(userPrograms + "\\Vortel PRO").empty());
  EXPECT_TRUE(Listing(commonPrograms + "\\Vortel PRO").empty());
}

TEST_F(ShellLinksWin, MissingProgramsFolderValueMakesNoGroupAndRaisesNothing) {
  wintest::ShellFolderOverride gone(HKEY_LOCAL_MACHINE, "Common Programs", "", true);
  EXPECT_NO_THROW(sys::CreateProgramGroup(
      engine::TargetDirs[0], {engine::TargetDirs[1], engine::TargetDirs[2], engine::TargetDirs[2],
                              engine::TargetDirs[3]}));
  sys::ShellFoldersRoot = plat::RegRoot::LocalMachine;
  EXPECT_THROW(sys::GetShellFolder("Common Programs"), plat::ERegistryException);
  EXPECT_EQ(GetFileAttributesW(Wide(commonPrograms + "\\Vortel PRO").c_str()),
            INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesW(Wide(userPrograms + "\\Vortel PRO").c_str()),
            INVALID_FILE_ATTRIBUTES);
}

}  // namespace
