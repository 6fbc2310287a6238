// Each product's configuration: the emulator's INI file gains links to the FTP programs without
// losing anything, and the FTP programs get their working folders and the sample script.
#include "engine/configuration.h"

#include <gtest/gtest.h>
#include <optional>

#include "engine/target_dirs.h"
#include "install_fixture.h"
#include "system/paths.h"

using installtest::Selection;

namespace {

const std::string kIni = "C:\\VP\\Vortel\\Vortel.ini";
const std::string kClient = "CLIENT=C:\\VP\\FTPCli\\NorvikFtp.exe\r\n";
const std::string kServer = "SERVER=C:\\VP\\FTPSrv\\NorvikFTPsrv.exe\r\n";

class ConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    installtest::PrepareMachine(platform);
    for (const auto& folder : dirs) ASSERT_TRUE(sys::CreateDirectoryPath(folder));
  }
  void TearDown() override { EXPECT_TRUE(platform.dialogs.AllAnswered()); }

  // The chosen products' steps in the run's order.
  void Configure(const Selection& chosen) {
    if (chosen[engine::kVortel]) engine::ConfigureVortel(chosen, dirs);
    if (chosen[engine::kFtpClient]) engine::ConfigureFtpClient(chosen, dirs);
    if (chosen[engine::kFtpBatch]) {
      EXPECT_TRUE(engine::ConfigureFtpBatch(chosen, dirs, copier));
    }
    if (chosen[engine::kFtpServer]) engine::ConfigureFtpServer(chosen, dirs);
  }

  engine::Folders dirs = {"C:\\VP\\", "C:\\VP\\Vortel\\", "C:\\VP\\FTPCli\\", "C:\\VP\\FTPSrv\\"};
  plat::headless::HeadlessPlatform platform;
  installtest::LoggingView view;
  engine::Copier copier{view, installtest::kMedium};
};

}  // namespace

TEST_F(ConfigurationTest, TheEmulatorsIniGainsMissingLinksAndAUserFolderKeyOnly) {
  const struct {
    const char* what;
    Selection chosen;
    std::optional<std::string> before, after;  // nullopt: no file
  } cases[] = {
      {"fresh, all four",
       {true, true, true, true},
       std::nullopt,
       "[CONFIG]\r\nUSERDIR=\r\n[FTP]\r\n" + kClient + kServer},
      {"server next to an earlier emulator",
       {false, false, false, true},
       "[FTP]\r\nCLIENT=C:\\Stary\\NorvikFtp.exe\r\n",
       "[FTP]\r\nCLIENT=C:\\Stary\\NorvikFtp.exe\r\n" + kServer},
      {"a server already linked elsewhere stays",
       {false, false, false, true},
       "[FTP]\r\nSERVER=E:\\Inny\\NorvikFTPsrv.exe\r\n",
       "[FTP]\r\nSERVER=E:\\Inny\\NorvikFTPsrv.exe\r\n"},
      {"server without an emulator", {false, false, false, true}, std::nullopt, std::nullopt},
      {"batch client fills an empty link",
       {false, false, true, false},
       "[FTP]\r\nCLIENT=\r\nSERVER=x\r\n",
       "[FTP]\r\n" + kClient + "SERVER=x\r\n"},
      {"a user folder in any spelling is kept",
       {true, true, false, false},
       "[config]\r\nuserdir=\r\n",
       "[config]\r\nuserdir=\r\n[FTP]\r\n" + kClient},
      {"other lines survive",
       {true, false, false, false},
       "; moje\r\n[INNE]\r\nA=1\r\n",
       "; moje\r\n[INNE]\r\nA=1\r\n[CONFIG]\r\nUSERDIR=\r\n"},
  };
  copier.OverwriteAll = true;  // the sample script of an earlier case is simply replaced
  for (const auto& c : cases) {
    platform.files.Remove(kIni);
    if (c.before) platform.files.PutFile(kIni, *c.before);
    Configure(c.chosen);
    ASSERT_EQ(platform.files.Exists(kIni), c.after.has_value()) << c.what;
    if (!c.after) continue;
    EXPECT_EQ(platform.files.ReadFile(kIni), *c.after) << c.what;
  }
}

TEST_F(ConfigurationTest, FtpProgramsGetTheirWorkingFoldersAndTheSampleScript) {
  Configure({false, true, true, true});
  for (const char* folder :
       {"FTPCli\\Profiles", "FTPCli\\Scripts", "FTPSrv\\ftproot", "FTPSrv\\ftproot\\incoming",
        "FTPSrv\\ftproot\\outgoing", "FTPSrv\\ftproot\\pub", "FTPSrv\\ftproot\\tmp"})
    EXPECT_TRUE(sys::DirectoryExists(std::string("C:\\VP\\") + folder)) << folder;
  EXPECT_EQ(platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"),
            installtest::NewContents("vortelpro.ftp"));
  EXPECT_FALSE(platform.files.Exists(kIni));
}

TEST_F(ConfigurationTest, AFolderThatCannotBeMadeIsReportedAndTheRestGoesOn) {
  dirs[3] = "Q:\\Srv\\";
  for (const char* folder : {"", "incoming\\", "outgoing\\", "pub\\", "tmp\\"})
    platform.dialogs.Expect(
        "Nie można utworzyć katalogu \"Q:\\Srv\\ftproot\\" + std::string(folder) + "\"",
        plat::ModalResult::OK);
  platform.files.PutFile(kIni, "[FTP]\r\n");
  EXPECT_NO_THROW(engine::ConfigureFtpServer({false, false, false, true}, dirs));
  EXPECT_EQ(platform.files.ReadFile(kIni), "[FTP]\r\nSERVER=Q:\\Srv\\NorvikFTPsrv.exe\r\n");
}
