// The wizard's pages and the unattended run both take their proposals and choices from here.
#include "engine/choices.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "engine/medium_kind.h"
#include "platform/headless/headless.h"
#include "system/paths.h"

using plat::RegRoot;

namespace {

constexpr char kVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kAppPaths = std::string(kVersionKey) + "\\App Paths\\";
const std::string kDefaultMain = "C:\\Program Files\\NorvikSoft\\VortelPRO\\";

engine::ProductChoice Chosen(const char* marks) {
  return {marks[0] == '+', marks[1] == '+', marks[2] == '+', marks[3] == '+'};
}

struct ChoicesTest : ::testing::Test {
  // The maker's main folder, Program Files and the three App Paths folders.
  void Registry(const std::array<std::string, 5>& v) {
    auto& reg = platform.registry;
    reg.Set(RegRoot::LocalMachine, "Software\\Norvik-Soft", "Path", v[0]);
    reg.Set(RegRoot::LocalMachine, kVersionKey, "ProgramFilesDir", v[1]);
    const char* programs[] = {"Vortel.exe", "NorvikFTP.exe", "NorvikFTPSrv.exe"};
    for (int i = 0; i < 3; ++i)
      reg.Set(RegRoot::LocalMachine, kAppPaths + programs[i], "Path", v[i + 2]);
  }
  static std::string Rows(const engine::FolderTexts& f) {
    return f.mainFolder + "|" + f.emulator + "|" + f.ftpClients + "|" + f.ftpServer;
  }
  plat::headless::HeadlessPlatform platform;
};

}  // namespace

TEST_F(ChoicesTest, FoldersComeFromAnEarlierInstallationUnlessTheMainFolderIsAnother) {
  const std::pair<std::array<std::string, 5>, std::string> cases[] = {
      {{"", "E:\\Programy"}, "E:\\Programy\\NorvikSoft\\VortelPRO\\|Vortel\\|FTPCli\\|FTPSrv\\"},
      // The recorded main folder exactly as stored; prefixes compared with it as it stands.
      {{"D:\\Apps\\Pack", "E:\\Programy", "D:\\Apps\\Pack\\Emu\\", "E:\\Other\\",
        "d:\\APPS\\pack\\Srv\\"},
       "D:\\Apps\\Pack|\\Emu\\|E:\\Other\\|\\Srv\\"},
      {{" D:\\Apps\\ ", "", "D:\\Apps\\Emu\\", "", " D:\\Apps\\ Srv\\"},
       " D:\\Apps\\ |D:\\Apps\\Emu\\|FTPCli\\|Srv\\"},
      {{}, kDefaultMain + "|Vortel\\|FTPCli\\|FTPSrv\\"}};
  for (const auto& [values, rows] : cases) {
    Registry(values);
    EXPECT_EQ(Rows(engine::ProposedFolders(platform)), rows) << values[0];
  }
  // A value that is no string reads as a missing one.
  platform.registry.SetDword(RegRoot::LocalMachine, "Software\\Norvik-Soft", "Path", 1);
  platform.registry.SetDword(RegRoot::LocalMachine, kAppPaths + "Vortel.exe", "Path", 1);
  EXPECT_EQ(Rows(engine::ProposedFolders(platform)), kDefaultMain + "|Vortel\\|FTPCli\\|FTPSrv\\");
  // A main folder other than the default resets the rows in use.
  Registry({"", "", kDefaultMain + "E\\", kDefaultMain + "C\\", kDefaultMain + "S\\"});
  const std::tuple<std::string, const char*, std::string> resets[] = {
      {kDefaultMain + "x", "+---", "Vortel\\|C\\|S\\"},
      {kDefaultMain + "x", "--++", "E\\|FTPCli\\|FTPSrv\\"},
      {"  C:\\PROGRAM FILES\\NorvikSoft\\VortelPRO  ", "++++", "E\\|C\\|S\\"},
      {"\tC:\\Program Files\\NorvikSoft\\VortelPRO\\", "+---", "Vortel\\|C\\|S\\"}};  // blanks only
  for (const auto& [main, chosen, rows] : resets) {
    engine::FolderTexts folders = engine::ProposedFolders(platform);
    engine::ApplyMainFolder(platform, folders, main, Chosen(chosen));
    EXPECT_EQ(Rows(folders), main + "|" + rows) << main;
  }
}

TEST(Choices, OnlyFullPathsAreAcceptedAndTheOffersFollowTheMediumAndTheChosenProducts) {
  plat::headless::HeadlessPlatform platform;
  // Whoever made a link decides where the writes through it land.
  std::filesystem::create_directory_symlink(platform.files.HostPath("C:\\Inny"),
                                            platform.files.HostPath("C:\\Link"));
  EXPECT_EQ(engine::RefusedFolder(platform.files, {"C:\\Link\\VP", "", "", ""}, Chosen("+---"))
                .value_or("-"),
            "C:\\Link\\VP\\");
  // Typed, then the folder installed into; a refused one is named as typed, blanks aside.
  const char* const accepted[] = {
      "  C:\\Jest  ",       "C:\\Jest\\",       "D:",           "D:\\",
      "\\\\s\\u",           "\\\\s\\u\\",       "C:\\a..b\\.c", "C:\\a..b\\.c\\",
      "C:\\Vortel PRO\\\\", "C:\\Vortel PRO\\", "C:\\A\\..\\B", "C:\\B\\",
      "c:/x//./y/..",       "c:\\x\\",          "C:\\.",        "C:\\",
      "\\\\s\\u\\x\\..\\y", "\\\\s\\u\\y\\"};
  for (size_t i = 0; i < std::size(accepted); i += 2) {
    EXPECT_EQ(engine::RefusedFolder(platform.files, {accepted[i], "", "", ""}, Chosen("+---")),
              std::nullopt);
    EXPECT_EQ(engine::TargetDirsOf({accepted[i], "", "", ""})[0], accepted[i + 1]);
  }
  for (const char* typed :
       {"", "   ", "Vortel", "\\Vortel", "C:Vortel", "\\\\serwer", "\\\\serwer\\\\x", "1:\\x",
        "C:\\..", "C:\\a\\..\\..\\b", "\\\\s\\u\\..", "\\\\?\\C:\\x", "\\\\.\\C:\\x", "//?/C:/x",
        "\\\\..\\u\\x", "C:\\x:y", "C:\\x\\a*", "C:\\a<|b", " C:\\...\\x"})
    EXPECT_EQ(engine::RefusedFolder(platform.files, {typed, "", "", ""}, Chosen("+---")),
              sys::TrimSpaces(typed));
  EXPECT_EQ(engine::TrimmedMainFolder("  C:\\Jest \\ "), "C:\\Jest \\");
  // The emulator's row and the server's; the products; the folder refused.
  const std::tuple<const char*, const char*, const char*, const char*> rows[] = {
      {"C:Vortel", "D:\\Srv", "+--+", "C:Vortel\\"},
      {"..\\..\\Inny", "", "+---", "C:\\VP\\..\\..\\Inny\\"},
      {"Vortel", "\\\\?\\D:\\Srv", "+--+", "\\\\?\\D:\\Srv\\"},
      {"..\\Inny", "D:\\Srv\\\\..\\S", "+--+", "-"},
      {"C:Vortel", "D:\\Srv", "---+", "-"},  // a row not in use is not looked at
  };
  for (const auto& [emulator, server, chosen, refused] : rows)
    EXPECT_EQ(
        engine::RefusedFolder(platform.files, {" C:\\VP ", emulator, "", server}, Chosen(chosen))
            .value_or("-"),
        refused);
  // Offered products, slots and options follow the medium and the chosen products.
  EXPECT_EQ(engine::OfferedProducts({engine::kFtpClientGroup}), Chosen("-++-"));
  EXPECT_TRUE(!engine::AnyProduct({}) && engine::AnyProduct(Chosen("---+")));
  // The products; the slots in use (main, emulator, clients, server); the default options.
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"++++", "++++", "++-"}, {"--+-", "+-+-", "---"}, {"-+--", "+-+-", "-+-"},
      {"+--+", "++-+", "+--"}, {"----", "+---", "---"},
  };
  for (const auto& [chosen, slots, defaults] : cases) {
    std::string inUse, options, offered;
    for (int slot = 0; slot < 4; ++slot)
      inUse += engine::SlotInUse(slot, Chosen(chosen)) ? '+' : '-';
    engine::InstallChoices choices;
    choices.products = Chosen(chosen);
    engine::ApplyDefaultOptions(choices);
    for (bool option : choices.options) options += option ? '+' : '-';
    choices.options = {true, true, true};
    engine::DropUnofferedOptions(choices);
    for (int i = 0; i < engine::kOptionCount; ++i)
      offered += std::string(choices.options[i] ? "+" : "-") +
                 (engine::OptionOffered(i, Chosen(chosen)) ? "+" : "-");
    EXPECT_EQ(inUse, slots) << chosen;
    EXPECT_EQ(options, defaults) << chosen;
    EXPECT_EQ(offered,
              std::string(2, chosen[0]) + std::string(2, chosen[1]) + std::string(2, chosen[3]));
  }
}
