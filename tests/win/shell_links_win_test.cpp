// Shortcuts against Wine's real shell link object and files; the decisions are the native tests'.
#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "main_env.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "system/shell_links.h"
#include "system_env.h"

using plat::win32::Wide;

namespace {

// The user's desktop pointed at a fresh folder, and product folders holding the links' targets.
class ShellLinksWin : public ::testing::Test {
 protected:
  wintest::ScriptedWin32Platform platform;
  const std::string root =
      wintest::MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
  const std::string userDesktop = Folder("Pulpit");
  wintest::ShellFolderOverride desktop{HKEY_CURRENT_USER, "Desktop", userDesktop};

  std::string Folder(const std::string& name) {
    CreateDirectoryW(Wide(root + "\\" + name).c_str(), nullptr);
    return root + "\\" + name;
  }
  engine::Folders dirs;
  void SetUp() override {
    ASSERT_TRUE(plat::Current().Version().IsNtFamily());
    dirs = {Folder("Vortel PRO") + "\\", Folder("Vortel PRO\\Vortel") + "\\",
            Folder("Vortel PRO\\FTP") + "\\", Folder("Vortel PRO\\Serwer") + "\\"};
    for (const char* program : {"Vortel\\Vortel.exe", "FTP\\NorvikFTP.exe"})
      plat::Current().Files().Create(dirs[0] + program);
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
  const std::string ftp = dirs[2], target = ftp + "NorvikFTP.exe";
  const std::string path = sys::CreateShellLinkWithIcon(plat::Current(), plat::RegRoot::CurrentUser,
                                                        "Klient FTP", target, "/profil bank.pft",
                                                        ftp, "Klient – połączenia", "Desktop", 1);
  EXPECT_EQ(path, userDesktop + "\\Klient FTP.lnk");
  EXPECT_EQ(Read(path),
            target + "|/profil bank.pft|" + ftp + "|Klient – połączenia|" + target + ",1");
  EXPECT_EQ(Read(sys::CreateShellLink(plat::Current(), plat::RegRoot::CurrentUser, "Pusty", target,
                                      "", "", "", "Desktop")),
            target + "||||,0");
}

TEST_F(ShellLinksWin, LinkThatCannotBeSavedIsAFailure) {
  wintest::ShellFolderOverride startup(HKEY_CURRENT_USER, "Startup", root + "\\brak");
  const std::string target = dirs[1] + "Vortel.exe";
  EXPECT_THROW(sys::CreateShellLink(plat::Current(), plat::RegRoot::CurrentUser, "Vortel", target,
                                    "", "", "", "Startup"),
               plat::EShellOleError);
  std::string finalName;
  bool failed = false;
  EXPECT_FALSE(sys::CreateShortcut(plat::Current(), "Vortel", target, dirs[1], "", "", "Startup",
                                   false, true, finalName, failed));
  EXPECT_TRUE(failed);
  EXPECT_EQ(GetFileAttributesW(Wide(root + "\\brak").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
