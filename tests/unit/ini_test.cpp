// The headless INI files must give the observable result of the profile API for what the
// configuration reads and writes.
#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/headless/headless.h"

class IniTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::IniFiles& ini = platform.ini;
  const std::string file = "C:\\Vortel\\Vortel.ini";
};

TEST_F(IniTest, MissingFileSectionOrKeyReadsTheFallback) {
  EXPECT_EQ(ini.Read(file, "FTP", "CLIENT", "?"), "?");
  platform.files.PutFile(file, "[FTP]\r\nSERVER=C:\\S\\NorvikFTPsrv.exe\r\n");
  EXPECT_EQ(ini.Read(file, "FTP", "CLIENT", ""), "");
  EXPECT_EQ(ini.Read(file, "ftp", "server", ""), "C:\\S\\NorvikFTPsrv.exe");
  EXPECT_TRUE(ini.Keys(file, "CONFIG").empty());
  EXPECT_EQ(ini.Keys(file, "FTP"), std::vector<std::string>{"SERVER"});
}

TEST_F(IniTest, WritingOneKeyKeepsEverythingElse) {
  platform.files.PutFile(file,
                         "; ustawienia\r\n[CONFIG]\r\nFONT=Courier\r\n\r\n[FTP]\r\nSERVER=x\r\n"
                         "[INNE]\r\nA=1\r\n");
  ini.Write(file, "FTP", "CLIENT", "C:\\Cli\\NorvikFtp.exe");
  ini.Write(file, "config", "USERDIR", "");
  ini.Write(file, "FTP", "server", "y");
  EXPECT_EQ(platform.files.ReadFile(file),
            "; ustawienia\r\n[CONFIG]\r\nFONT=Courier\r\nUSERDIR=\r\n\r\n[FTP]\r\nSERVER=y\r\n"
            "CLIENT=C:\\Cli\\NorvikFtp.exe\r\n[INNE]\r\nA=1\r\n");
  EXPECT_EQ(ini.Keys(file, "CONFIG"), (std::vector<std::string>{"FONT", "USERDIR"}));
}

TEST_F(IniTest, TheFirstWriteCreatesTheFileAndTheSection) {
  ini.Write(file.substr(0, 3) + "nowy.ini", "CONFIG", "USERDIR", "");
  EXPECT_EQ(platform.files.ReadFile("C:\\nowy.ini"), "[CONFIG]\r\nUSERDIR=\r\n");
  EXPECT_THROW(ini.Write("C:\\brak\\x.ini", "A", "B", "C"), plat::EFileError);
}
