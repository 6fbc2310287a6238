// The products' registry entries: the exact set and order of writes, and what a failed key or
// write does to the rest. The values themselves, the reinstallation and the drive-root main
// folder are proven against the real registry under Wine.
#include "system/registry_entries.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "platform/text.h"

using plat::RegAccess;
using plat::RegRoot;

namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kMain = "C:\\Program Files\\Vortel PRO\\";

class RegistryEntriesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(registry.OpenKeys(), 0);
    EXPECT_TRUE(platform.dialogs.AllAnswered());
  }
  std::string Value(const std::string& key, const std::string& name) {
    return registry.Get(RegRoot::LocalMachine, key, name);
  }
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;
};

// The other tests judge the registration by this registry, so it must not be kinder than the
// real one where the registration relies on it.
TEST_F(RegistryEntriesTest, HeadlessRegistryBehavesAsTheRealOne) {
  auto reg = registry.NewAccessor();
  reg->SetRoot(RegRoot::LocalMachine);
  EXPECT_FALSE(reg->OpenKey("Software\\Norvik-Soft\\Vortel", false));
  ASSERT_TRUE(reg->OpenKey("\\Software\\Norvik-Soft\\Vortel", true));  // parents made too
  reg->WriteString("Path", "C:\\V\\");
  reg->WriteString("PATH", "C:\\W\\");  // value names ignore case
  EXPECT_EQ(reg->ReadString("path"), "C:\\W\\");
  ASSERT_TRUE(reg->OpenKey("SOFTWARE\\norvik-soft\\", false));  // the other key is closed first
  EXPECT_EQ(registry.OpenKeys(), 1);
  registry.SetDword(RegRoot::LocalMachine, "Software\\Norvik-Soft", "Licznik", 42);
  reg->SetAccess(RegAccess::Read);
  ASSERT_TRUE(reg->OpenKey("Software\\Norvik-Soft", false));
  EXPECT_THROW(reg->ReadString("licznik"), plat::ERegistryException);
  EXPECT_THROW(reg->WriteString("Ver", "3.04"), plat::ERegistryException);
  reg.reset();
  EXPECT_EQ(registry.OpenKeys(), 0);
}

TEST_F(RegistryEntriesTest, WritesComeInTheDocumentedOrder) {
  sys::RegisterFtpBatch(kMain, "D:\\FTP");
  const std::string hklm = "HKEY_LOCAL_MACHINE\\";
  const std::string hkcr = "HKEY_CLASSES_ROOT\\";
  const std::string uninstall = hklm + kUninstall + "\\Vortel PRO:";
  const std::string app = hklm + kAppPaths + "\\NorvikFTPBatch.exe:";
  EXPECT_EQ(registry.writes,
            (std::vector<std::string>{hklm + "Software\\Norvik-Soft:Path",
                                      hklm + "Software\\Norvik-Soft:Ver",
                                      hklm + "Software\\Norvik-Soft\\Wsadowy klient FTP:Path",
                                      hklm + "Software\\Norvik-Soft\\Wsadowy klient FTP:Ver",
                                      app + "@",
                                      app + "Path",
                                      hkcr + ".ftp:@",
                                      hkcr + "FTPBatchScript:@",
                                      hkcr + "FTPBatchScript\\DefaultIcon:@",
                                      hkcr + "FTPBatchScript\\shell\\open:@",
                                      hkcr + "FTPBatchScript\\shell\\open\\command:@",
                                      hkcr + "FTPBatchScript\\shell\\edit:@",
                                      hkcr + "FTPBatchScript\\shell\\edit\\command:@",
                                      hkcr + ".ftp\\ShellNew:FileName",
                                      uninstall + "DisplayName",
                                      uninstall + "DisplayIcon",
                                      uninstall + "UninstallString",
                                      uninstall + "QuietUninstallString",
                                      uninstall + "DisplayVersion",
                                      uninstall + "Publisher",
                                      uninstall + "InstallLocation",
                                      uninstall + "InstallDate",
                                      uninstall + "NoModify",
                                      uninstall + "NoRepair"}));
  // The folder is kept as passed; only the executable's path gets the backslash.
  EXPECT_EQ(Value("Software\\Norvik-Soft\\Wsadowy klient FTP", "Path"), "D:\\FTP");
  EXPECT_EQ(Value(std::string(kAppPaths) + "\\NorvikFTPBatch.exe", ""),
            "D:\\FTP\\NorvikFTPBatch.exe");
  // Quoted: the folder has a blank, and unquoted Windows would try "C:\Program.exe" first.
  EXPECT_EQ(Value(std::string(kUninstall) + "\\Vortel PRO", "UninstallString"),
            "\"C:\\Program Files\\Vortel PRO\\Uninstall.exe\" /uninstall");
  // The server has no document type.
  registry.writes.clear();
  sys::RegisterFtpServer(kMain, kMain + "Serwer\\");
  for (const auto& write : registry.writes) EXPECT_EQ(write.rfind(hkcr, 0), std::string::npos);
  EXPECT_EQ(registry.writes.size(), 16u);
}

TEST_F(RegistryEntriesTest, KeyThatCannotBeOpenedIsSkippedAndAFailedWriteStopsTheProduct) {
  registry.DenyOpen(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe");
  sys::RegisterFtpServer(kMain, "C:\\S\\");
  EXPECT_FALSE(
      registry.KeyExists(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe"));
  EXPECT_EQ(Value(std::string(kUninstall) + "\\Vortel PRO", "DisplayIcon"),
            "C:\\S\\NorvikFTPSrv.exe,0");

  registry.DenyWrites(RegRoot::LocalMachine, "Software\\Norvik-Soft\\Vortel");
  try {
    sys::RegisterEmulator(kMain, "C:\\V\\", "Vortel", "Vortel.exe");
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
  registry.Set(RegRoot::LocalMachine, std::string(kAppPaths) + "\\Vortel.exe", "", "C:\\V.exe");
  EXPECT_EQ(sys::GetAppPathDir("Vortel.exe"), "");
  registry.Set(RegRoot::LocalMachine, std::string(kAppPaths) + "\\vortel.EXE", "Path", "C:\\V\\");
  EXPECT_EQ(sys::GetAppPathDir("Vortel.exe"), "C:\\V\\");
}

}  // namespace
