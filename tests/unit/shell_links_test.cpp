// Shortcut decisions on both families; what the real link object stores is proven under Wine.
#include "system/shell_links.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <tuple>

#include "install_fixture.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "system/paths.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr RegRoot kUser = RegRoot::CurrentUser;
const std::string kUserDesktop = "C:\\U\\Pulpit", kCommonDesktop = "C:\\P\\Pulpit",
                  kUserPrograms = "C:\\U\\Programy", kCommonPrograms = "C:\\P\\Programy";

class ShellLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Desktop", kUserDesktop);
    registry.Set(RegRoot::CurrentUser, kShellFolders, "Programs", kUserPrograms);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Desktop", kCommonDesktop);
    registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
    for (const auto& folder : {kUserDesktop, kCommonDesktop, kUserPrograms, kCommonPrograms})
      ASSERT_TRUE(sys::CreateDirectoryPath(platform.files, folder));
  }
  void TearDown() override {
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    EXPECT_EQ(platform.links.liveObjects, 0);
    EXPECT_EQ(registry.OpenKeys(), 0);
  }
  // The links of a folder as "a,b", sorted; removed with `clear`.
  std::string LinksIn(const std::string& folder, bool clear = false) {
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(platform.files.HostPath(folder)))
      if (entry.path().extension() == ".lnk") found.insert(entry.path().stem().string());
    std::string names;
    for (const auto& name : found) {
      names += (names.empty() ? "" : ",") + name;
      if (clear) platform.files.Remove(folder + "\\" + name + ".lnk");
    }
    return names;
  }
  // A link's fields as "target|arguments|working folder|description|icon file,index".
  std::string Link(const std::string& path) {
    plat::ShellLinkInfo i;
    if (!platform.links.Read(path, i)) return "<none>";
    return i.target + "|" + i.arguments + "|" + i.workingDir + "|" + i.description + "|" +
           i.iconFile + "," + std::to_string(i.iconIndex);
  }

  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;
  installtest::Shown shown{platform.dialogs};
};

TEST_F(ShellLinksTest, EmptyFieldsStayUnsetOverlongPathsAreRefusedAndFailuresBecomeResults) {
  platform.links.failures = {
      {"SetArguments", 1}, {"SetWorkingDirectory", 1}, {"SetDescription", 1}};
  EXPECT_EQ(Link(sys::CreateShellLink(platform, kUser, "Pusty", "C:\\V\\Vortel.exe", "", "", "",
                                      "Desktop")),
            "C:\\V\\Vortel.exe||||,0");
  platform.links.failures = {};
  const std::string folder = kUserDesktop + "\\";
  // folder + name + ".lnk" = 259 characters fits, 260 does not (and is never cut to fit).
  const std::string fits(259 - folder.size() - 4, 'x'), tooLong = fits + "y";
  EXPECT_EQ(sys::CreateShellLink(platform, kUser, fits, "C:\\V.exe", "", "", "", "Desktop").size(),
            259u);
  EXPECT_THROW(sys::CreateShellLink(platform, kUser, tooLong, "C:\\V.exe", "", "", "", "Desktop"),
               plat::EShellOleError);
  EXPECT_EQ(sys::CreateShellLinkWithIcon(platform, kUser, tooLong, "C:\\V.exe", "", "", "",
                                         "Desktop", 0, shown.asked),
            folder + tooLong + ".lnk");
  EXPECT_EQ(LinksIn(kUserDesktop, true), "Pusty," + fits);
  // The failing call; what the icon link returns; whether a shortcut (which has no icon) is made.
  const std::tuple<const char*, std::string, const char*, bool> cases[] = {
      {"SetIconLocation", "", "Desktop", true},  // before the path was known
      {"SetPath", "", "Desktop", false},
      {"Save", kUserDesktop + "\\Inny.lnk", "Desktop", false},
      {"", "", "Startup", false}};  // a shell folder that is not in the registry
  for (const auto& [failingCall, result, folderName, made] : cases) {
    SCOPED_TRACE(failingCall);
    platform.links.failures = {{failingCall, 0x80004005}};
    EXPECT_EQ(sys::CreateShellLinkWithIcon(platform, kUser, "Inny", "C:\\F.exe", "", "", "",
                                           folderName, 1, shown.asked),
              result);
    EXPECT_EQ(LinksIn(kUserDesktop), "");
    std::string finalName;
    bool failed = made;
    EXPECT_EQ(sys::CreateShortcut(platform, "Inny", "C:\\V.exe", "C:\\", "", "", folderName, true,
                                  true, finalName, failed, shown.asked),
              made);
    EXPECT_EQ(failed, !made);
    EXPECT_EQ(LinksIn(kCommonDesktop, true), made ? "Inny" : "");
  }
  platform.links.failures = {{"Create", 0x80040154}};
  EXPECT_THROW(sys::CreateShellLinkWithIcon(platform, kUser, "Inny", "C:\\F.exe", "", "", "",
                                            "Desktop", 1, shown.asked),
               plat::EShellOleError);
}

TEST_F(ShellLinksTest, CreateShortcutDecidesWhereAndWhetherOnBothFamilies) {
  platform.files.PutFile(kCommonDesktop + "\\Vortel.lnk", "");
  EXPECT_TRUE(sys::ShortcutExists(platform, kUser, "Vortel", "Common Desktop",
                                  true));  // no "Common Common"
  EXPECT_FALSE(sys::ShortcutExists(platform, kUser, "Vortel", "Desktop", false));
  // Family (n: NT, 9: older), common, ask; shortcuts before (user|common); the answer (' ':
  // no question); the final name (empty: none made); shortcuts after.
  const std::tuple<const char*, std::string, char, std::string, const char*> cases[] = {
      {"n+?", "|Vortel", 'Y', "Vortel (1)", "|Vortel,Vortel (1)"},
      {"n+?", "|Vortel", 'N', "", "|Vortel"},
      {"n+-", "|Vortel", ' ', "", "|Vortel"},
      // The all-users folder is the only one looked at when it is the one written to.
      {"n+?", "Vortel|", ' ', "Vortel", "Vortel|Vortel"},
      // A per-user shortcut still minds one for all users.
      {"n-?", "|Vortel", 'Y', "Vortel (1)", "Vortel (1)|Vortel"},
      // The older family has no all-users folders at all.
      {"9+?", "Vortel|", 'Y', "Vortel (1)", "Vortel,Vortel (1)|"},
      {"9-?", "|Vortel", ' ', "Vortel", "Vortel|Vortel"}};
  for (const auto& [given, before, answer, made, after] : cases) {
    SCOPED_TRACE(given + (" " + before) + " " + answer);
    LinksIn(kUserDesktop, true);
    LinksIn(kCommonDesktop, true);
    platform.version.ntFamily = given[0] == 'n';
    const size_t bar = before.find('|');
    if (bar > 0) platform.files.PutFile(kUserDesktop + "\\" + before.substr(0, bar) + ".lnk", "");
    if (bar + 1 < before.size())
      platform.files.PutFile(kCommonDesktop + "\\" + before.substr(bar + 1) + ".lnk", "stary");
    if (answer != ' ')
      platform.dialogs.Expect("Skrót 'Vortel' juz istnieje.\rCzy utworzyć następny ?",
                              answer == 'Y' ? ModalResult::Yes : ModalResult::No);
    std::string finalName = "?";
    bool failed = true;
    EXPECT_EQ(
        sys::CreateShortcut(platform, "Vortel", "C:\\V\\Vortel.exe", "C:\\V", "", "", "Desktop",
                            given[1] == '+', given[2] == '?', finalName, failed, shown.asked),
        !made.empty());
    EXPECT_FALSE(failed);
    EXPECT_EQ(finalName, made.empty() ? "Vortel" : made);
    const std::string links = after;
    EXPECT_EQ(LinksIn(kUserDesktop), links.substr(0, links.find('|')));
    EXPECT_EQ(LinksIn(kCommonDesktop), links.substr(links.find('|') + 1));
    if (bar + 1 < before.size()) {  // the shortcut that was there stays as it was
      EXPECT_EQ(platform.files.ReadFile(kCommonDesktop + "\\Vortel.lnk"), "stary");
    }
  }
}

const std::array<std::string, 4> kDirs = {"C:\\VP\\", "C:\\VP\\Vortel\\", "C:\\VP\\FTP\\",
                                          "C:\\VP\\Serwer\\"};

// The group for the selected products (emulator, client, batch client, server).
void CreateProgramGroup(plat::Platform& platform, const std::string& chosen) {
  std::array<std::string, 4> folders;
  for (int i = 0; i < 4; ++i)
    if (chosen[i] == '+') folders[i] = kDirs[(i + 1) - (i >= 2)];
  installtest::Shown shown(platform.Dlg());
  sys::CreateProgramGroup(platform, kDirs[0], folders, shown.asked);
}

TEST_F(ShellLinksTest, ProgramGroupHoldsTheRowsOfTheSelectedProductsOnBothFamilies) {
  platform.files.PutFile(kCommonPrograms + "\\Vortel PRO\\Klient FTP.lnk", "stary");
  CreateProgramGroup(platform, "++++");
  const std::string group = kCommonPrograms + "\\Vortel PRO\\";
  EXPECT_EQ(Link(group + "Klient FTP.lnk"),
            kDirs[2] + "NorvikFTP.exe||" + kDirs[2] + "||" + kDirs[2] + "NorvikFTP.exe,1");
  const std::string uninstaller = "C:\\Program Files\\Common Files\\Vortel PRO\\";
  EXPECT_EQ(Link(group + "Odinstaluj.lnk"),
            uninstaller + "Uninstall.exe|/uninstall|" + uninstaller + "||,0");
  LinksIn(kCommonPrograms + "\\Vortel PRO", true);
  CreateProgramGroup(platform, "+--+");
  EXPECT_EQ(LinksIn(kCommonPrograms + "\\Vortel PRO"),
            "Dokumentacja - Serwer FTP,Dokumentacja - Vortel,Informacje dodatkowe,Odinstaluj,"
            "Polskie znaki,Pomoc - Serwer FTP,Pomoc - Vortel,Serwer FTP,Vortel,Zamówienie");
  platform.version.ntFamily = false;
  CreateProgramGroup(platform, "--+-");
  EXPECT_EQ(LinksIn(kUserPrograms + "\\Vortel PRO"), "Odinstaluj,Wsadowy FTP,Zamówienie");
}

TEST_F(ShellLinksTest, MissingFoldersOrABrokenShellMakeNoGroup) {
  const std::string group = kCommonPrograms + "\\Vortel PRO";
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "");
  CreateProgramGroup(platform, "++++");
  EXPECT_FALSE(platform.files.Exists(group));
  // A programs folder that is gone: the group is one level, never a chain of folders.
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", "C:\\Brak\\Programy");
  CreateProgramGroup(platform, "++++");
  EXPECT_FALSE(platform.files.Exists("C:\\Brak"));
  registry.Set(RegRoot::LocalMachine, kShellFolders, "Common Programs", kCommonPrograms);
  platform.links.failures = {{"Create", 0x80040154}};
  CreateProgramGroup(platform, "++++");
  EXPECT_TRUE(sys::DirectoryExists(platform.files, group));
  EXPECT_EQ(LinksIn(group), "");
}

}  // namespace
