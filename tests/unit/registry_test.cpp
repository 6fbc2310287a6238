// The registration on the headless registry, which the platform cases hold to the real one.
#include <gtest/gtest.h>

#include "install_fixture.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "system/file_types.h"
#include "system/registry_entries.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kAppPaths[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kMain = "C:\\Program Files\\Vortel PRO\\";
// In Common Files, as the dump writes it.
const std::string kUninstaller =
    "C:\\\\Program Files\\\\Common Files\\\\Vortel PRO\\\\Uninstall.exe";

class RegistryEntriesTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(registry.OpenKeys(), 0); }
  std::string Value(const std::string& key, const std::string& name) {
    return registry.Get(RegRoot::LocalMachine, key, name);
  }
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;
  installtest::Shown shown{platform.dialogs};
};

TEST_F(RegistryEntriesTest, WritesComeInTheDocumentedOrder) {
  sys::RegisterFtpBatch(platform, kMain, "D:\\FTP", shown.asked);
  const std::string m = "HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft", c = "HKEY_CLASSES_ROOT\\",
                    u = "HKEY_LOCAL_MACHINE\\" + std::string(kUninstall) + "\\Vortel PRO:",
                    a = "HKEY_LOCAL_MACHINE\\" + std::string(kAppPaths) + "\\NorvikFTPBatch.exe:",
                    s = c + "FTPBatchScript";
  std::string writes;
  for (const std::string& write : registry.writes) writes += write + " ";
  EXPECT_EQ(writes, m + ":Path " + m + ":Ver " + m + "\\Wsadowy klient FTP:Path " + m +
                        "\\Wsadowy klient FTP:Ver " + a + "@ " + a + "Path " + c + ".ftp:@ " + s +
                        ":@ " + s + "\\DefaultIcon:@ " + s + "\\shell\\open:@ " + s +
                        "\\shell\\open\\command:@ " + s + "\\shell\\edit:@ " + s +
                        "\\shell\\edit\\command:@ " + c + ".ftp\\ShellNew:FileName " + u +
                        "DisplayName " + u + "DisplayIcon " + u + "UninstallString " + u +
                        "QuietUninstallString " + u + "DisplayVersion " + u + "Publisher " + u +
                        "InstallLocation " + u + "InstallDate " + u + "NoModify " + u +
                        "NoRepair ");
  // What Windows and deployment tools read; the command quoted, as the folder has a blank.
  sys::WriteEstimatedSize(registry, 2049, shown.asked);
  EXPECT_EQ(registry.Dump(RegRoot::LocalMachine, std::string(kUninstall) + "\\Vortel PRO"),
            "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\" + std::string(kUninstall) +
                "\\Vortel PRO]\n"
                "\"DisplayName\"=\"Vortel PRO\"\n"
                "\"DisplayIcon\"=\"D:\\\\FTP\\\\NorvikFTPBatch.exe,0\"\n"
                "\"UninstallString\"=\"\\\"" +
                kUninstaller +
                "\\\" /uninstall\"\n"
                "\"QuietUninstallString\"=\"\\\"" +
                kUninstaller +
                "\\\" /uninstall /VERYSILENT\"\n"
                "\"DisplayVersion\"=\"3.04\"\n\"Publisher\"=\"Norvik-Soft\"\n"
                "\"InstallLocation\"=\"C:\\\\Program Files\\\\Vortel PRO\\\\\"\n"
                "\"InstallDate\"=\"20261206\"\n\"NoModify\"=dword:00000001\n"
                "\"NoRepair\"=dword:00000001\n\"EstimatedSize\"=dword:00000003\n\n");
  // The server has no document type.
  registry.writes.clear();
  sys::RegisterFtpServer(platform, kMain, kMain + "Serwer\\", shown.asked);
  for (const auto& write : registry.writes) EXPECT_EQ(write.rfind(c, 0), std::string::npos);
  EXPECT_EQ(registry.writes.size(), 16u);
}

TEST_F(RegistryEntriesTest, ReinstallingWritesEveryValueAgainSilentlyAndTheReadersFindThem) {
  const std::string ftp = kMain + "FTP\\", maker = "Software\\Norvik-Soft";
  const RegRoot m = RegRoot::LocalMachine, c = RegRoot::ClassesRoot;
  const std::tuple<RegRoot, std::string, const char*, std::string> values[] = {
      {m, maker, "Ver", "3.04"},
      {m, maker + "\\Vortel", "Ver", "3.30"},
      {m, maker + "\\Klient FTP", "Ver", "1.081"},
      {m, maker + "\\Wsadowy klient FTP", "Path", ftp},
      {m, maker + "\\Server FTP", "Ver", "1.151"},
      {m, std::string(kAppPaths) + "\\NorvikFTPSrv.exe", "", "D:\\Serwer FTP\\NorvikFTPSrv.exe"},
      {c, "VortelCfg\\shell\\open\\command", "", "\"" + kMain + "Vortel.exe\" \"%1\""},
      {c, "VortelCfg\\shell\\open", "", "Otwórz-połącz"},
      {c, "NorvikFTPProfile\\DefaultIcon", "", ftp + "NorvikFTP.exe,0"},
      {c, "FTPBatchScript\\shell\\edit\\command", "",
       "\"C:\\Windows\\system32\\notepad.exe\" \"%1\""},
      {c, "FTPBatchScript\\shell\\edit", "", "Edytuj"},
      {c, ".ftp\\ShellNew", "FileName", ftp + "Pattern.ftp"}};
  // A number where the extension names its type names none: the type is registered anyway.
  registry.SetDword(c, ".vl", "", 7);
  for (int round = 0; round < 2; ++round) {
    sys::RegisterFtpServer(platform, kMain, "D:\\Serwer FTP\\", shown.asked);
    sys::RegisterFtpBatch(platform, kMain, ftp, shown.asked);
    sys::RegisterFtpClient(platform, kMain, ftp, shown.asked);
    sys::RegisterEmulator(platform, kMain, kMain, "Vortel", "Vortel.exe", shown.asked);
    for (const auto& [root, key, name, value] : values)
      EXPECT_EQ(registry.Get(root, key, name), value) << key << " " << name;
  }
  EXPECT_EQ(registry.Get(c, ".vl", ""), "VortelCfg");
  EXPECT_EQ(registry.Dump(m).find("=hex(2):"), std::string::npos);  // plain texts only
  EXPECT_EQ(sys::GetAppPathDir(registry, "norvikftpbatch.exe"), ftp);
  EXPECT_EQ(sys::ReadRegistryString(registry, m, maker + "\\", "path"), kMain);
}

TEST_F(RegistryEntriesTest, KeyThatCannotBeOpenedIsSkippedAndAFailedWriteStopsTheProduct) {
  registry.DenyOpen(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe");
  // a bare drive root is no package folder
  sys::RegisterFtpServer(platform, "C:\\", "C:\\S\\", shown.asked);
  EXPECT_EQ(Value("Software\\Norvik-Soft", "Path") +
                Value(std::string(kUninstall) + "\\Vortel PRO", "UninstallString"),
            "\"C:\\Program Files\\Common Files\\Vortel PRO\\Uninstall.exe\" /uninstall");
  EXPECT_FALSE(
      registry.KeyExists(RegRoot::LocalMachine, std::string(kAppPaths) + "\\NorvikFTPSrv.exe"));
  EXPECT_EQ(Value(std::string(kUninstall) + "\\Vortel PRO", "DisplayIcon"),
            "C:\\S\\NorvikFTPSrv.exe,0");

  registry.DenyWrites(RegRoot::LocalMachine, "Software\\Norvik-Soft\\Vortel");
  try {
    sys::RegisterEmulator(platform, kMain, "C:\\V\\", "Vortel", "Vortel.exe", shown.asked);
    FAIL() << "a failed write passed silently";
  } catch (const plat::ERegistryException& e) {
    EXPECT_STREQ(e.what(),
                 "Nie można zapisać wartości \"Path\" w kluczu "
                 "\"HKEY_LOCAL_MACHINE\\Software\\Norvik-Soft\\Vortel\" Rejestru: brak dostępu "
                 "(błąd systemu nr 5)");
  }
  EXPECT_EQ(Value(std::string(kAppPaths) + "\\Vortel.exe", "Path"), "");
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot, ".vl"), "REGEDIT4\n\n");
}

constexpr char kExe[] = "C:\\N\\Vortel\\Vortel.exe";
const std::string kQuestion =
    "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\r";
const std::string kTail =
    "\".\rZmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez "
    "aktualnie instalowany program ?";

// Every takeover question is a Yes/No warning; the registry is left with no key open.
void ExpectSoundEnd(plat::headless::HeadlessPlatform& platform) {
  EXPECT_TRUE(platform.dialogs.AllAnswered());
  EXPECT_EQ(platform.registry.OpenKeys(), 0);
  for (const auto& shown : platform.dialogs.shown) {
    EXPECT_EQ(shown.type, plat::DlgType::Warning);
    EXPECT_EQ(shown.buttons,
              (std::vector<plat::DlgButton>{plat::DlgButton::Yes, plat::DlgButton::No}));
  }
}

bool RegisterVl(plat::headless::HeadlessPlatform& platform, sys::Questions& asked) {
  auto reg = platform.registry.NewAccessor();
  return sys::RegisterFileType(platform.text, *reg, ".vl", "VortelCfg",
                               "Vortel - plik konfiguracji", std::string(kExe) + ",0", "open",
                               "Otwórz-połącz", sys::QuotedCommand(kExe), "", "", "", asked);
}

TEST_F(RegistryEntriesTest, ForeignProgIdIsNamedOnlyWhenItsTypeExistsAndAnUnopenableKeyIsSkipped) {
  // The old ProgID, whether its key and its command exist; the program named (nullptr: none).
  const std::tuple<const char*, bool, const char*, const char*> cases[] = {
      {"", false, nullptr, nullptr},                      // extension names no type
      {"Zniknal", false, nullptr, nullptr},               // its type is gone
      {"Obcy", true, nullptr, ""},                        // a type with no program
      {"vortelcfg", true, "\"C:\\X.exe\"", "C:\\X.exe"},  // ProgIDs compare exactly
  };
  for (const auto& [oldProgId, oldKey, oldCommand, program] : cases) {
    if (oldKey) registry.Set(RegRoot::ClassesRoot, oldProgId, "", "Opis");
    if (oldCommand)
      registry.Set(RegRoot::ClassesRoot, std::string(oldProgId) + "\\shell\\open\\command", "",
                   oldCommand);
    if (program)
      platform.dialogs.Expect(kQuestion +
                                  "jest już zarejestrowane w systemie jako: \"Opis\"\roraz "
                                  "skojarzone z programem: \"" +
                                  program + kTail,
                              ModalResult::Yes);
    auto reg = registry.NewAccessor();
    EXPECT_TRUE(sys::ConfirmAssociationChange(platform.text, *reg, ".vl", "VortelCfg",
                                              "Vortel - plik konfiguracji", "open",
                                              "\"C:\\V.exe\" \"%1\"", oldProgId, shown.asked));
    ExpectSoundEnd(platform);
  }
  EXPECT_EQ(platform.dialogs.shown.size(), 2u);
  registry.DenyOpen(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon");
  EXPECT_TRUE(RegisterVl(platform, shown.asked));
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon"));
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", ""),
            "\"C:\\N\\Vortel\\Vortel.exe\" \"%1\"");
  // The same program in another letter case is no other program: no question.
  registry.Set(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", "",
               "\"c:\\n\\VORTEL\\vortel.EXE\"");
  EXPECT_TRUE(RegisterVl(platform, shown.asked));
  ExpectSoundEnd(platform);
}

TEST_F(RegistryEntriesTest, NoLeavesAForeignTypeAloneButAnEmptyDefaultIsTakenSilently) {
  const std::string ftp = kMain + "FTP\\";
  registry.Set(RegRoot::ClassesRoot, ".pft", "Content Type", "text/plain");
  sys::RegisterFtpClient(platform, kMain, ftp, shown.asked);
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".pft", ""), "NorvikFTPProfile");
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".pft", "Content Type"), "text/plain");
  registry.Set(RegRoot::ClassesRoot, ".ftp", "", "ObcyFTP");
  registry.Set(RegRoot::ClassesRoot, "ObcyFTP", "", "Skrypt obcego programu");
  registry.Set(RegRoot::ClassesRoot, "ObcyFTP\\shell\\open\\command", "",
               "\"C:\\Obcy\\ftp.exe\" \"%1\"");
  const std::string question =
      "Rejestrowane rozszerzenie (.ftp) typu: \"Skrypt FTP\"\rjest już zarejestrowane w systemie "
      "jako: \"Skrypt obcego programu\"\roraz skojarzone z programem: \"C:\\Obcy\\ftp.exe" +
      kTail;
  platform.dialogs.Expect(question, ModalResult::No);
  sys::RegisterFtpBatch(platform, kMain, ftp, shown.asked);
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".ftp", ""), "ObcyFTP");
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "ObcyFTP\\shell\\open\\command", ""),
            "\"C:\\Obcy\\ftp.exe\" \"%1\"");
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, ".ftp\\ShellNew"));
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "FTPBatchScript"));
  EXPECT_EQ(sys::GetAppPathDir(registry, "NorvikFTPBatch.exe"), ftp);
  platform.dialogs.Expect(question, ModalResult::Yes);
  sys::RegisterFtpBatch(platform, kMain, ftp, shown.asked);
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".ftp", ""), "FTPBatchScript");
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".ftp\\ShellNew", "FileName"), ftp + "Pattern.ftp");
  ExpectSoundEnd(platform);
}

}  // namespace
