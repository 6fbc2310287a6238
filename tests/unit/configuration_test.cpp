// Each product's configuration: the emulator's INI file gains links to the FTP programs without
// losing anything, and the FTP programs get their working folders and the sample script.
#include "engine/configuration.h"

#include <gtest/gtest.h>

#include "install_fixture.h"
#include "system/paths.h"

namespace {

const std::string kIni = "C:\\VP\\Vortel\\Vortel.ini";
const std::string kClient = "CLIENT=C:\\VP\\FTPCli\\NorvikFtp.exe\r\n";
const std::string kServer = "SERVER=C:\\VP\\FTPSrv\\NorvikFTPsrv.exe\r\n";

struct ConfigurationTest : ::testing::Test {
  void SetUp() override {
    installtest::PrepareMachine(platform);
    for (const auto& folder : dirs) ASSERT_TRUE(sys::CreateDirectoryPath(folder));
    copier.OverwriteAll = true;  // the sample script of an earlier case is simply replaced
  }
  void TearDown() override { EXPECT_TRUE(platform.dialogs.AllAnswered()); }
  // The chosen products' steps in the run's order ("+" for each product chosen).
  void Configure(const std::string& chosen) {
    const engine::ProductChoice c = {chosen[0] == '+', chosen[1] == '+', chosen[2] == '+',
                                     chosen[3] == '+'};
    if (c[engine::kVortel]) engine::ConfigureVortel(c, dirs);
    if (c[engine::kFtpClient]) engine::ConfigureFtpClient(c, dirs);
    if (c[engine::kFtpBatch]) {
      EXPECT_TRUE(engine::ConfigureFtpBatch(c, dirs, copier));
    }
    if (c[engine::kFtpServer]) engine::ConfigureFtpServer(c, dirs);
  }

  engine::Folders dirs = {"C:\\VP\\", "C:\\VP\\Vortel\\", "C:\\VP\\FTPCli\\", "C:\\VP\\FTPSrv\\"};
  plat::headless::HeadlessPlatform platform;
  installtest::LoggingView view;
  engine::Copier copier{view, installtest::kMedium};
};

}  // namespace

TEST_F(ConfigurationTest, TheEmulatorsIniGainsMissingLinksAndAUserFolderKeyOnly) {
  // The products; the INI before and after ("-": no file).
  const std::tuple<const char*, std::string, std::string> cases[] = {
      {"++++", "-", "[CONFIG]\r\nUSERDIR=\r\n[FTP]\r\n" + kClient + kServer},
      {"---+", "[FTP]\r\nCLIENT=C:\\S\\x.exe\r\n", "[FTP]\r\nCLIENT=C:\\S\\x.exe\r\n" + kServer},
      {"---+", "[FTP]\r\nSERVER=E:\\x.exe\r\n", "[FTP]\r\nSERVER=E:\\x.exe\r\n"},  // stays
      {"---+", "-", "-"},  // no emulator: no file
      {"--+-", "[FTP]\r\nCLIENT=\r\nSERVER=x\r\n", "[FTP]\r\n" + kClient + "SERVER=x\r\n"},
      {"++--", "[config]\r\nuserdir=\r\n", "[config]\r\nuserdir=\r\n[FTP]\r\n" + kClient},
      {"+---", "; moje\r\n[INNE]\r\nA=1\r\n",
       "; moje\r\n[INNE]\r\nA=1\r\n[CONFIG]\r\nUSERDIR=\r\n"},
  };
  for (const auto& [chosen, before, after] : cases) {
    platform.files.Remove(kIni);
    if (before != "-") platform.files.PutFile(kIni, before);
    Configure(chosen);
    EXPECT_EQ(platform.files.Exists(kIni) ? platform.files.ReadFile(kIni) : "-", after) << before;
  }
}

TEST_F(ConfigurationTest, FtpProgramsGetTheirWorkingFoldersAndTheSampleScript) {
  Configure("-+++");
  for (const char* folder :
       {"FTPCli\\Profiles", "FTPCli\\Scripts", "FTPSrv\\ftproot", "FTPSrv\\ftproot\\incoming",
        "FTPSrv\\ftproot\\outgoing", "FTPSrv\\ftproot\\pub", "FTPSrv\\ftproot\\tmp"})
    EXPECT_TRUE(sys::DirectoryExists(std::string("C:\\VP\\") + folder)) << folder;
  EXPECT_EQ(platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"),
            installtest::NewContents("vortelpro.ftp"));
  // A folder that cannot be made is reported and the rest goes on.
  dirs[3] = "Q:\\Srv\\";
  for (const char* folder : {"", "incoming\\", "outgoing\\", "pub\\", "tmp\\"})
    platform.dialogs.Expect(
        "Nie można utworzyć katalogu \"Q:\\Srv\\ftproot\\" + std::string(folder) + "\"",
        plat::ModalResult::OK);
  platform.files.PutFile(kIni, "[FTP]\r\n");
  engine::ConfigureFtpServer({false, false, false, true}, dirs);
  EXPECT_EQ(platform.files.ReadFile(kIni), "[FTP]\r\nSERVER=Q:\\Srv\\NorvikFTPsrv.exe\r\n");
}
