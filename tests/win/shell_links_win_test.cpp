// Shortcuts and the program group against Wine's real shell link object and file system; the
// decisions behind them are the native tests' business.
#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "main_env.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/shell_links.h"
#include "system_env.h"

using plat::win32::Wide;
using wintest::Listing;
using Names = std::vector<std::string>;

namespace {

// The user's and the all-users' desktop and programs folders pointed at fresh scratch folders,
// and the product folders filled with the files the links point at.
class ShellLinksWin : public ::testing::Test {
 protected:
  wintest::ScriptedWin32Platform platform;
  const std::string root =
      wintest::MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  const std::string userDesktop = Folder("Pulpit"), commonDesktop = Folder("Pulpit wspólny");
  const std::string userPrograms = Folder("Programy"), commonPrograms = Folder("Programy wsp");
  wintest::ShellFolderOverride overrides[4] = {
      {HKEY_CURRENT_USER, "Desktop", userDesktop},
      {HKEY_LOCAL_MACHINE, "Common Desktop", commonDesktop},
      {HKEY_CURRENT_USER, "Programs", userPrograms},
      {HKEY_LOCAL_MACHINE, "Common Programs", commonPrograms}};

  std::string Folder(const std::string& name) {
    CreateDirectoryW(Wide(root + "\\" + name).c_str(), nullptr);
    return root + "\\" + name;
  }
  void SetUp() override {
    ASSERT_TRUE(plat::Current().Version().IsNtFamily());
    engine::TargetDirs = {Folder("Vortel PRO") + "\\", Folder("Vortel PRO\\Vortel") + "\\",
                          Folder("Vortel PRO\\FTP") + "\\", Folder("Vortel PRO\\Serwer") + "\\"};
    for (const auto& entry : sys::ProgramGroupEntries) {
      const std::string descriptor = entry.descriptor;
      const size_t slot[] = {0, 1, 2, 2, 3};
      plat::Current().Files().Create(engine::TargetDirs[slot[descriptor[0] - '0']] +
                                     descriptor.substr(4));
    }
  }
  void TearDown() override { EXPECT_TRUE(platform.dialogs.AllAnswered()); }

  // Every field of a link as one line, read back through the shell's own object.
  std::string Read(const std::string& path) {
    plat::ShellLinkInfo i;
    EXPECT_TRUE(plat::Current().Links().Read(path, i)) << path;
    return i.target + "|" + i.arguments + "|" + i.workingDir + "|" + i.description + "|" +
           i.iconFile + "," + std::to_string(i.iconIndex);
  }
};

TEST_F(ShellLinksWin, WrittenLinksReadBackEveryField) {
  const std::string ftp = engine::TargetDirs[2], target = ftp + "NorvikFTP.exe";
  const std::string path = sys::CreateShellLinkWithIcon("Klient FTP", target, "/profil bank.pft",
                                                        ftp, "Klient – połączenia", "Desktop", 1);
  EXPECT_EQ(path, userDesktop + "\\Klient FTP.lnk");
  EXPECT_EQ(Read(path),
            target + "|/profil bank.pft|" + ftp + "|Klient – połączenia|" + target + ",1");
  EXPECT_EQ(Read(sys::CreateShellLink("Pusty", target, "", "", "", "Desktop")), target + "||||,0");
}

TEST_F(ShellLinksWin, LinkThatCannotBeSavedIsAFailure) {
  wintest::ShellFolderOverride startup(HKEY_CURRENT_USER, "Startup", root + "\\brak");
  const std::string target = engine::TargetDirs[1] + "Vortel.exe";
  EXPECT_THROW(sys::CreateShellLink("Vortel", target, "", "", "", "Startup"), plat::EShellOleError);
  std::string finalName;
  bool failed = false;
  EXPECT_FALSE(sys::CreateShortcut("Vortel", target, engine::TargetDirs[1], "", "", "Startup",
                                   false, true, finalName, failed));
  EXPECT_TRUE(failed);
  EXPECT_TRUE(Listing(root + "\\brak").empty());
}

TEST_F(ShellLinksWin, ProgramGroupGoesToTheAllUsersFolderOrNowhere) {
  const auto& dirs = engine::TargetDirs;
  sys::CreateProgramGroup(dirs[0], {"", dirs[2], dirs[2], ""});
  const std::string group = commonPrograms + "\\Vortel PRO";
  EXPECT_EQ(Listing(group),
            (Names{"Dokumentacja - Klient FTP.lnk", "Klient FTP.lnk", "Odinstaluj.lnk",
                   "Pomoc - Klient FTP.lnk", "Wsadowy FTP.lnk", "Zamówienie.lnk"}));
  const std::string main = engine::TargetDirs[0],
                    batch = engine::TargetDirs[2] + "NorvikFTPBatch.exe";
  EXPECT_EQ(Read(group + "\\Odinstaluj.lnk"), main + "Uninstall.exe|/uninstall|" + main + "||,0");
  const std::string batchLink = Read(group + "\\Wsadowy FTP.lnk");
  EXPECT_EQ(batchLink.substr(batchLink.rfind('|')), "|" + batch + ",1");
  EXPECT_TRUE(Listing(userPrograms).empty());

  // Without the folder's value no group is made anywhere, and the failure stays inside.
  wintest::ShellFolderOverride gone(HKEY_LOCAL_MACHINE, "Common Programs", "", true);
  sys::CreateProgramGroup(dirs[0], {dirs[1], dirs[2], dirs[2], dirs[3]});
  sys::ShellFoldersRoot = plat::RegRoot::LocalMachine;
  EXPECT_THROW(sys::GetShellFolder("Common Programs"), plat::ERegistryException);
  EXPECT_EQ(Listing(group).size(), 6u);
  EXPECT_TRUE(Listing(userPrograms).empty());
}

}  // namespace
