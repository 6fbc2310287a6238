// The rules that turn the medium and the registry into proposals and the user's answers into
// choices; the wizard's pages and the unattended run both take them from here.
#include "engine/choices.h"

#include <gtest/gtest.h>

#include "engine/medium_kind.h"
#include "platform/headless/headless.h"

using plat::RegRoot;

namespace {

constexpr char kMakerKey[] = "Software\\Norvik-Soft";
constexpr char kVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
const std::string kAppPaths = std::string(kVersionKey) + "\\App Paths\\";
const std::string kDefaultMain = "C:\\Program Files\\NorvikSoft\\VortelPRO\\";

class ChoicesTest : public ::testing::Test {
 protected:
  void AppPaths(const std::string& emulator, const std::string& client, const std::string& server) {
    platform.registry.Set(RegRoot::LocalMachine, kAppPaths + "Vortel.exe", "Path", emulator);
    platform.registry.Set(RegRoot::LocalMachine, kAppPaths + "NorvikFTP.exe", "Path", client);
    platform.registry.Set(RegRoot::LocalMachine, kAppPaths + "NorvikFTPSrv.exe", "Path", server);
  }
  static std::string Rows(const engine::FolderTexts& f) {
    return f.mainFolder + "|" + f.emulator + "|" + f.ftpClients + "|" + f.ftpServer;
  }
  plat::headless::HeadlessPlatform platform;
};

}  // namespace

TEST_F(ChoicesTest, OfferedProductsAreThoseOnTheMedium) {
  engine::MediumProducts = engine::kFtpClientGroup;
  EXPECT_EQ(engine::OfferedProducts(), (engine::ProductChoice{false, true, true, false}));
  EXPECT_FALSE(engine::AnyProduct({}));
  EXPECT_TRUE(engine::AnyProduct({false, false, false, true}));
}

TEST_F(ChoicesTest, FolderProposalsComeFromAnEarlierInstallationOrTheProgramFilesFolder) {
  struct Case {
    const char *maker, *programFiles, *emulator, *client, *server;
    std::string rows;  // main|emulator|clients|server
  } cases[] = {
      {"", "E:\\Programy", "", "", "",
       "E:\\Programy\\NorvikSoft\\VortelPRO\\|Vortel\\|FTPCli\\|FTPSrv\\"},
      // The recorded main folder exactly as stored; prefixes compared with it as it stands.
      {"D:\\Apps\\Pack", "E:\\Programy", "D:\\Apps\\Pack\\Emu\\", "E:\\Other\\",
       "d:\\APPS\\pack\\Srv\\", "D:\\Apps\\Pack|\\Emu\\|E:\\Other\\|\\Srv\\"},
      {" D:\\Apps\\ ", "", "D:\\Apps\\Emu\\", "", " D:\\Apps\\ Srv\\",
       " D:\\Apps\\ |D:\\Apps\\Emu\\|FTPCli\\|Srv\\"},
      {"", "", "", "", "", kDefaultMain + "|Vortel\\|FTPCli\\|FTPSrv\\"},
  };
  for (const auto& c : cases) {
    platform.registry.Set(RegRoot::LocalMachine, kMakerKey, "Path", c.maker);
    platform.registry.Set(RegRoot::LocalMachine, kVersionKey, "ProgramFilesDir", c.programFiles);
    AppPaths(c.emulator, c.client, c.server);
    EXPECT_EQ(Rows(engine::ProposedFolders()), c.rows) << c.maker;
  }
  // A value that is no string reads as a missing one.
  platform.registry.SetDword(RegRoot::LocalMachine, kMakerKey, "Path", 1);
  platform.registry.SetDword(RegRoot::LocalMachine, kAppPaths + "Vortel.exe", "Path", 1);
  EXPECT_EQ(Rows(engine::ProposedFolders()), kDefaultMain + "|Vortel\\|FTPCli\\|FTPSrv\\");
}

TEST_F(ChoicesTest, AMainFolderOtherThanTheDefaultResetsTheRowsInUse) {
  AppPaths(kDefaultMain + "E\\", kDefaultMain + "C\\", kDefaultMain + "S\\");
  const struct {
    std::string main;
    engine::ProductChoice chosen;
    std::string rows;  // emulator|clients|server after the change
  } cases[] = {
      {kDefaultMain + "x", {true, false, false, false}, "Vortel\\|C\\|S\\"},
      {kDefaultMain + "x", {false, false, true, true}, "E\\|FTPCli\\|FTPSrv\\"},
      {"  C:\\PROGRAM FILES\\NorvikSoft\\VortelPRO  ", {true, true, true, true}, "E\\|C\\|S\\"},
      {"C:\\Program Files\\NorvikSoft\\VortelPRO", {true, true, true, true}, "E\\|C\\|S\\"},
      {"\tC:\\Program Files\\NorvikSoft\\VortelPRO\\",
       {true, false, false, false},
       "Vortel\\|C\\|S\\"},  // only blanks are trimmed
  };
  for (const auto& c : cases) {
    engine::FolderTexts folders = engine::ProposedFolders();
    engine::ApplyMainFolder(folders, c.main, c.chosen);
    EXPECT_EQ(Rows(folders), c.main + "|" + c.rows) << c.main;
  }
}

TEST(Choices, OnlyAFullPathIsAcceptedAsTheTrimmedMainFolder) {
  const std::pair<const char*, bool> cases[] = {
      {"  C:\\Jest  ", true}, {"D:", true},
      {"c:\\Nowy\\", true},   {"\\\\serwer\\udzial\\x", true},
      {"\\\\s\\u", true},     {"", false},
      {"   ", false},         {"Vortel", false},
      {"\\Vortel", false},    {"C:Vortel", false},
      {"\\\\serwer", false},  {"\\\\serwer\\\\x", false},
      {"1:\\x", false},
  };
  for (const auto& [typed, accepted] : cases) {
    const std::string trimmed = engine::TrimmedMainFolder(typed);
    EXPECT_EQ(engine::AcceptableMainFolder(trimmed), accepted) << typed;
  }
  EXPECT_EQ(engine::TrimmedMainFolder("  C:\\Jest \\ "), "C:\\Jest \\");
}

TEST(Choices, SlotsAndOptionsFollowTheChosenProducts) {
  using engine::ProductChoice;
  const struct {
    ProductChoice chosen;
    std::array<bool, 4> slots;
    std::array<bool, engine::kOptionCount> defaults;
  } cases[] = {
      {{true, true, true, true}, {true, true, true, true}, {true, true, false}},
      {{false, false, true, false}, {true, false, true, false}, {false, false, false}},
      {{false, true, false, false}, {true, false, true, false}, {false, true, false}},
      {{true, false, false, true}, {true, true, false, true}, {true, false, false}},
      {{}, {true, false, false, false}, {false, false, false}},
  };
  for (const auto& c : cases) {
    for (int slot = 0; slot < 4; ++slot)
      EXPECT_EQ(engine::SlotInUse(slot, c.chosen), c.slots[slot]) << slot;
    engine::InstallChoices choices;
    choices.products = c.chosen;
    engine::ApplyDefaultOptions(choices);
    EXPECT_EQ(choices.options, c.defaults);
    choices.options = {true, true, true};
    engine::DropUnofferedOptions(choices);
    for (int i = 0; i < engine::kOptionCount; ++i)
      EXPECT_EQ(choices.options[i], engine::OptionOffered(i, c.chosen));
  }
  EXPECT_EQ(engine::OptionOffered(engine::kAutostartFtpServer, {false, false, false, true}), true);
  EXPECT_EQ(engine::OptionOffered(engine::kDesktopFtpClient, {false, false, true, false}), false);
}
