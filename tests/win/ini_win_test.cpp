// The profile API itself behaves as the headless INI files assume.
#include <gtest/gtest.h>

#include "main_env.h"
#include "platform/errors.h"
#include "platform/platform.h"

TEST(IniWin, ReadsWritesAndKeepsTheRestOfTheFile) {
  auto& ini = plat::Current().Ini();
  auto& files = plat::Current().Files();
  const std::string file = wintest::MakeScratchFolder("ini ł") + "\\Vortel.ini";
  EXPECT_EQ(ini.Read(file, "FTP", "CLIENT", "?"), "?");
  {
    const std::string text = "[CONFIG]\r\nFONT=Courier\r\n[FTP]\r\nSERVER=x\r\n";
    auto out = files.Create(file);
    out->Write(text.data(), text.size());
    out->Close();
  }
  ini.Write(file, "FTP", "CLIENT", "C:\\Program Files\\Klient FTP\\NorvikFtp.exe");
  ini.Write(file, "CONFIG", "USERDIR", "");
  EXPECT_EQ(ini.Read(file, "ftp", "client", ""), "C:\\Program Files\\Klient FTP\\NorvikFtp.exe");
  EXPECT_EQ(ini.Read(file, "FTP", "SERVER", ""), "x");
  EXPECT_EQ(ini.Read(file, "CONFIG", "FONT", ""), "Courier");
  EXPECT_EQ(ini.Keys(file, "CONFIG"), (std::vector<std::string>{"FONT", "USERDIR"}));
  EXPECT_TRUE(ini.Keys(file, "NONE").empty());
  const std::string fresh = wintest::MakeScratchFolder("ini-new") + "\\nowy.ini";
  ini.Write(fresh, "CONFIG", "USERDIR", "");
  EXPECT_EQ(ini.Keys(fresh, "CONFIG"), std::vector<std::string>{"USERDIR"});
}
