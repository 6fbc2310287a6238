// The products' registry entries and the registry they are written to: keys, values, order,
// and what a failed key or write does to the rest.
#include "system/registry_entries.h"

#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "platform/text.h"

using plat::RegAccess;
using plat::RegRoot;

namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class HeadlessRegistryTest : public ::testing::Test {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;
};

TEST_F(HeadlessRegistryTest, BehavesAsTheRealOneWhereTheRegistrationReliesOnIt) {
  auto reg = registry.NewAccessor();
  EXPECT_EQ(reg->Root(), RegRoot::CurrentUser);
  reg->SetRoot(RegRoot::LocalMachine);
  EXPECT_FALSE(reg->OpenKey("Software\\Norvik-Soft\\Vortel", false));
  ASSERT_TRUE(reg->OpenKey("\\Software\\Norvik-Soft\\Vortel", true));  // parents made too
  reg->WriteString("Path", "C:\\V\\");
  reg->WriteString("PATH", "C:\\W\\");  // value names ignore case and keep their first spelling
  EXPECT_EQ(reg->ReadString("path"), "C:\\W\\");
  EXPECT_EQ(reg->ReadString("Brak"), "");
  EXPECT_EQ(registry.OpenKeys(), 1);
  ASSERT_TRUE(reg->OpenKey("SOFTWARE\\norvik-soft\\", false));  // the other key is closed first
  EXPECT_EQ(registry.OpenKeys(), 1);
  EXPECT_FALSE(reg->OpenKey("Software\\\\Norvik-Soft", true));
  EXPECT_FALSE(reg->HasOpenKey());

  registry.SetDword(RegRoot::LocalMachine, "Software\\Norvik-Soft", "Licznik", 42);
  reg->SetAccess(RegAccess::Read);
  ASSERT_TRUE(reg->OpenKey("Software\\Norvik-Soft", false));
  EXPECT_THROW(reg->ReadString("licznik"), plat::ERegistryException);
  EXPECT_THROW(reg->WriteString("Ver", "3.04"), plat::ERegistryException);
  reg.reset();
  EXPECT_EQ(registry.OpenKeys(), 0);

  EXPECT_EQ(registry.Dump(RegRoot::LocalMachine, "software\\NORVIK-SOFT"),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft]\n"
            "\"Licznik\"=dword:0000002a\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft\\Vortel]\n"
            "\"Path\"=\"C:\\\\W\\\\\"\n\n");
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot, ".vl"), "REGEDIT4\n\n");
}

class RegistryEntriesTest : public HeadlessRegistryTest {
 protected:
  void SetUp() override {
    engine::TargetDirs = {"C:\\Program Files\\Vortel PRO\\", "C:\\Program Files\\Vortel PRO\\",
                          "D:\\FTP\\", "C:\\Program Files\\Vortel PRO\\Serwer\\"};
  }
  void TearDown() override {
    EXPECT_EQ(registry.OpenKeys(), 0);
    EXPECT_TRUE(platform.dialogs.AllAnswered());
  }
  std::string Value(const std::string& key, const std::string& name) {
    return registry.Get(RegRoot::LocalMachine, key, name);
  }
};

TEST_F(RegistryEntriesTest, ServerAloneWritesMakerKeyAppPathAndUninstallEntry) {
  sys::RegisterFtpServer(engine::TargetDirs[3]);
  EXPECT_EQ(registry.Dump(RegRoot::LocalMachine, "Software\\Norvik-Soft"),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft]\n"
            "\"Path\"=\"C:\\\\Program Files\\\\Vortel PRO\\\\\"\n"
            "\"Ver\"=\"3.04\"\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft\\Server FTP]\n"
            "\"Path\"=\"C:\\\\Program Files\\\\Vortel PRO\\\\Serwer\\\\\"\n"
            "\"Ver\"=\"1.151\"\n\n");
  EXPECT_EQ(registry.Dump(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe"),
            "REGEDIT4\n\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\App "
            "Paths\\NorvikFTPSrv.exe]\n"
            "@=\"C:\\\\Program Files\\\\Vortel PRO\\\\Serwer\\\\NorvikFTPSrv.exe\"\n"
            "\"Path\"=\"C:\\\\Program Files\\\\Vortel PRO\\\\Serwer\\\\\"\n\n");
  // Quoted: the folder has a blank, and unquoted Windows would try "C:\Program.exe" first.
  EXPECT_EQ(
      registry.Dump(RegRoot::LocalMachine, std::string(kUninstall) + "\\Vortel PRO"),
      "REGEDIT4\n\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel "
      "PRO]\n"
      "\"DisplayName\"=\"Vortel PRO\"\n"
      "\"DisplayIcon\"=\"C:\\\\Program Files\\\\Vortel PRO\\\\Serwer\\\\NorvikFTPSrv.exe,0\"\n"
      "\"UninstallString\"=\"\\\"C:\\\\Program Files\\\\Vortel PRO\\\\Uninstall.exe\\\" "
      "/uninstall\"\n\n");
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot), "REGEDIT4\n\n[HKEY_CLASSES_ROOT]\n\n");
}

TEST_F(RegistryEntriesTest, WritesComeInTheDocumentedOrder) {
  sys::RegisterFtpBatch("D:\\FTP");
  const std::string hklm = "HKEY_LOCAL_MACHINE\\";
  const std::string hkcr = "HKEY_CLASSES_ROOT\\";
  EXPECT_EQ(registry.writes, (std::vector<std::string>{
                                 hklm + "Software\\Norvik-Soft:Path",
                                 hklm + "Software\\Norvik-Soft:Ver",
                                 hklm + "Software\\Norvik-Soft\\Wsadowy klient FTP:Path",
                                 hklm + "Software\\Norvik-Soft\\Wsadowy klient FTP:Ver",
                                 hklm + kAppPaths + "\\NorvikFTPBatch.exe:@",
                                 hklm + kAppPaths + "\\NorvikFTPBatch.exe:Path",
                                 hkcr + ".ftp:@",
                                 hkcr + "FTPBatchScript:@",
                                 hkcr + "FTPBatchScript\\DefaultIcon:@",
                                 hkcr + "FTPBatchScript\\shell\\open:@",
                                 hkcr + "FTPBatchScript\\shell\\open\\command:@",
                                 hkcr + "FTPBatchScript\\shell\\edit:@",
                                 hkcr + "FTPBatchScript\\shell\\edit\\command:@",
                                 hkcr + ".ftp\\ShellNew:FileName",
                                 hklm + kUninstall + "\\Vortel PRO:DisplayName",
                                 hklm + kUninstall + "\\Vortel PRO:DisplayIcon",
                                 hklm + kUninstall + "\\Vortel PRO:UninstallString",
                             }));
  // The folder is kept as passed; only the executable's path gets the backslash.
  EXPECT_EQ(Value("Software\\Norvik-Soft\\Wsadowy klient FTP", "Path"), "D:\\FTP");
  EXPECT_EQ(Value(std::string(kAppPaths) + "\\NorvikFTPBatch.exe", ""),
            "D:\\FTP\\NorvikFTPBatch.exe");
}

TEST_F(RegistryEntriesTest, MainFolderOfADriveRootGetsNoPackageValues) {
  struct Case {
    const char* mainFolder;
    bool packageValues;
    const char* uninstall;
  } cases[] = {
      {"C:\\", false, "\"C:\\Uninstall.exe\" /uninstall"},
      {"C:\\V", true, "\"C:\\V\\Uninstall.exe\" /uninstall"},
  };
  for (const auto& c : cases) {
    plat::headless::HeadlessPlatform fresh;
    engine::TargetDirs[0] = c.mainFolder;
    sys::RegisterEmulator("C:\\V\\", "Vortel", "Vortel.exe");
    EXPECT_EQ(fresh.registry.Get(RegRoot::LocalMachine, "Software\\Norvik-Soft", "Ver") == "3.04",
              c.packageValues)
        << c.mainFolder;
    EXPECT_EQ(fresh.registry.Get(RegRoot::LocalMachine, "Software\\Norvik-Soft\\Vortel", "Ver"),
              "3.30");
    EXPECT_EQ(fresh.registry.Get(RegRoot::LocalMachine, std::string(kUninstall) + "\\Vortel PRO",
                                 "UninstallString"),
              c.uninstall);
  }
}

TEST_F(RegistryEntriesTest, RunOrderLeavesTheLastProductsIconAndOverwritesWithoutAQuestion) {
  struct Case {
    bool emulator, client, batch, server;
    const char* icon;
  } cases[] = {
      {true, true, true, true, "C:\\Program Files\\Vortel PRO\\Vortel.exe,0"},
      {false, true, true, true, "D:\\FTP\\NorvikFTP.exe,0"},
      {false, false, true, true, "D:\\FTP\\NorvikFTPBatch.exe,0"},
      {false, false, false, true, "C:\\Program Files\\Vortel PRO\\Serwer\\NorvikFTPSrv.exe,0"},
  };
  // Twice: the second round is a reinstallation over the first, with no question asked.
  for (int round = 0; round < 2; ++round) {
    for (const auto& c : cases) {
      if (c.server) sys::RegisterFtpServer(engine::TargetDirs[3]);
      if (c.batch) sys::RegisterFtpBatch(engine::TargetDirs[2]);
      if (c.client) sys::RegisterFtpClient(engine::TargetDirs[2]);
      if (c.emulator) sys::RegisterEmulator(engine::TargetDirs[1], "Vortel", "Vortel.exe");
      EXPECT_EQ(Value(std::string(kUninstall) + "\\Vortel PRO", "DisplayIcon"), c.icon);
    }
  }
  EXPECT_TRUE(platform.dialogs.shown.empty());
  EXPECT_EQ(Value("Software\\Norvik-Soft\\Klient FTP", "Path"),
            Value("Software\\Norvik-Soft\\Wsadowy klient FTP", "Path"));
  EXPECT_EQ(Value("Software\\Norvik-Soft\\Klient FTP", "Ver"), "1.081");
  EXPECT_EQ(Value(std::string(kAppPaths) + "\\NorvikFTP.exe", "Path"), "D:\\FTP\\");
}

TEST_F(RegistryEntriesTest, KeyThatCannotBeOpenedIsSkippedAndAFailedWriteStopsTheProduct) {
  registry.DenyOpen(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe");
  sys::RegisterFtpServer("C:\\S\\");
  EXPECT_FALSE(
      registry.KeyExists(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe"));
  EXPECT_EQ(Value(std::string(kUninstall) + "\\Vortel PRO", "DisplayIcon"),
            "C:\\S\\NorvikFTPSrv.exe,0");

  registry.DenyWrites(RegRoot::LocalMachine, "Software\\Norvik-Soft\\Vortel");
  try {
    sys::RegisterEmulator("C:\\V\\", "Vortel", "Vortel.exe");
    FAIL() << "a failed write passed silently";
  } catch (const plat::ERegistryException& e) {
    EXPECT_STREQ(e.what(),
                 "Nie można zapisać wartości \"Path\" w kluczu \"Software\\Norvik-Soft\\Vortel\" "
                 "Rejestru");
    EXPECT_TRUE(plat::IsCp1250Representable(e.what()));
  }
  EXPECT_EQ(registry.OpenKeys(), 0);  // closed before the exception left
  EXPECT_EQ(Value(std::string(kAppPaths) + "\\Vortel.exe", "Path"), "");
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot, ".vl"), "REGEDIT4\n\n");
}

TEST_F(RegistryEntriesTest, ReadersGiveEmptyOrDefaultForWhatIsMissing) {
  const char* kVersionKey = "Software\\Microsoft\\Windows\\CurrentVersion";
  EXPECT_EQ(sys::GetProgramFilesDir(), "C:\\Program Files\\");
  registry.SetDword(RegRoot::LocalMachine, kVersionKey, "ProgramFilesDir", 1);
  EXPECT_EQ(sys::GetProgramFilesDir(), "C:\\Program Files\\");
  EXPECT_THROW(sys::ReadRegistryString(RegRoot::LocalMachine, kVersionKey, "ProgramFilesDir"),
               plat::ERegistryException);
  registry.Set(RegRoot::LocalMachine, kVersionKey, "ProgramFilesDir", "D:\\Programy");
  EXPECT_EQ(sys::GetProgramFilesDir(), "D:\\Programy");

  EXPECT_EQ(sys::GetAppPathDir("Vortel.exe"), "");
  registry.Set(RegRoot::LocalMachine, std::string(kAppPaths) + "\\Vortel.exe", "", "C:\\V.exe");
  EXPECT_EQ(sys::GetAppPathDir("Vortel.exe"), "");
  registry.Set(RegRoot::LocalMachine, std::string(kAppPaths) + "\\vortel.EXE", "Path", "C:\\V\\");
  EXPECT_EQ(sys::GetAppPathDir("Vortel.exe"), "C:\\V\\");
  EXPECT_EQ(sys::ReadRegistryString(RegRoot::CurrentUser, std::string(kAppPaths) + "\\Vortel.exe",
                                    "Path"),
            "");
}

}  // namespace
