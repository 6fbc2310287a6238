#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/win32/wide.h"
#include "system/file_types.h"
#include "system/registry_entries.h"
#include "system_env.h"

using plat::ModalResult;
using plat::RegRoot;
using wintest::RawKeyExists;
using wintest::RawSet;
using wintest::RawValue;

namespace {

const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
const std::string kUninstallEntry =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vortel PRO";
const std::string kMaker = "Software\\Norvik-Soft";
const std::string kScratch = "Software\\Vortel-Test";
constexpr char kTail[] =
    "Zmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
    "instalowany program ?";

// Every key the registration writes, removed around each test so none sees another's leftovers.
void RemoveRegistration() {
  wintest::RawDeleteTree(HKEY_LOCAL_MACHINE, kMaker);
  wintest::RawDeleteTree(HKEY_LOCAL_MACHINE, kUninstallEntry);
  for (const char* exe : {"Vortel.exe", "NorvikFTP.exe", "NorvikFTPBatch.exe", "NorvikFTPSrv.exe"})
    wintest::RawDeleteTree(HKEY_LOCAL_MACHINE, kAppPaths + exe);
  for (const char* key :
       {".vl", ".pft", ".ftp", "VortelCfg", "NorvikFTPProfile", "FTPBatchScript", "ObcyFTP"})
    wintest::RawDeleteTree(HKEY_CLASSES_ROOT, key);
  wintest::RawDeleteTree(HKEY_CURRENT_USER, kScratch);
}

class RegistryWin : public ::testing::Test {
 protected:
  wintest::ScriptedWin32Platform platform;
  engine::Folders dirs;

  void SetUp() override {
    RemoveRegistration();
    dirs = {"C:\\Program Files\\Vortel PRO\\", "C:\\Program Files\\Vortel PRO\\",
            "C:\\Program Files\\Vortel PRO\\FTP\\", "D:\\Serwer FTP\\"};
  }
  void TearDown() override {
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    RemoveRegistration();
  }
  static std::string Hkcr(const std::string& key, const std::string& name = "") {
    return RawValue(HKEY_CLASSES_ROOT, key, name);
  }
};

TEST_F(RegistryWin, AccessorKeepsOneKeyMakesParentsAndReadsAndWritesStrings) {
  auto reg = plat::Current().Reg().NewAccessor();
  EXPECT_FALSE(reg->OpenKey(kScratch + "\\a\\b", false));
  EXPECT_EQ(reg->OpenError(), static_cast<uint32_t>(ERROR_FILE_NOT_FOUND));
  ASSERT_TRUE(reg->OpenKey("\\" + kScratch + "\\a\\b", true));
  reg->WriteString("Nazwa", "zażółć");
  reg->WriteString("", "domyślna");
  EXPECT_EQ(reg->ReadString("NAZWA"), "zażółć");
  EXPECT_EQ(reg->ReadString("brak"), "");
  ASSERT_TRUE(reg->OpenKey(kScratch + "\\", false));  // a trailing backslash names the key
  EXPECT_EQ(reg->ReadString("x"), "");
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kScratch + "\\a\\b", "Nazwa"), "zażółć");
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kScratch + "\\a\\b", ""), "domyślna");
  // A text its readers expand keeps its kind both ways, unexpanded, so rollback can put it back.
  ASSERT_TRUE(reg->OpenKey(kScratch + "\\a\\b", false));
  reg->WriteExpandString("Rozwijana", "%SystemRoot%\\x");
  EXPECT_TRUE(reg->ReadValue("ROZWIJANA") ==
              (plat::RegValue{plat::RegValue::Kind::ExpandString, "%SystemRoot%\\x", 0}));
  EXPECT_TRUE(reg->ReadValue("Nazwa").kind == plat::RegValue::Kind::String);

  const DWORD number = 7;
  RegSetKeyValueW(HKEY_CURRENT_USER, plat::win32::Wide(kScratch).c_str(), L"Liczba", REG_DWORD,
                  &number, sizeof number);
  reg->SetAccess(plat::RegAccess::Read);
  EXPECT_FALSE(reg->HasOpenKey());
  ASSERT_TRUE(reg->OpenKey(kScratch, false));
  EXPECT_EQ(reg->ReadString("liczba"), "");  // a number names no text
  try {
    reg->WriteString("Ver", "1");
    ADD_FAILURE() << "a write through a read-only key passed";
  } catch (const plat::ERegistryException& e) {
    EXPECT_STREQ(e.what(), ("Nie można zapisać wartości \"Ver\" w kluczu \"HKEY_CURRENT_USER\\" +
                            kScratch + "\" Rejestru: brak dostępu (błąd systemu nr 5)")
                               .c_str());
  }
  EXPECT_EQ(RawValue(HKEY_CURRENT_USER, kScratch, "Ver"), "");
  // The readers of an earlier installation go through the same accessor.
  EXPECT_EQ(sys::ReadRegistryString(platform.Reg(), RegRoot::LocalMachine, kMaker, "Path"), "");
  RawSet(HKEY_LOCAL_MACHINE, kMaker, "Path", "E:\\Vortel\\");
  EXPECT_EQ(sys::ReadRegistryString(platform.Reg(), RegRoot::LocalMachine, kMaker + "\\", "path"),
            "E:\\Vortel\\");
  EXPECT_EQ(sys::GetProgramFilesDir(platform.Reg()),
            RawValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                     "ProgramFilesDir"));
  // A number where the extension names its type names none: the type is registered anyway.
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L".vl", nullptr, REG_DWORD, &number, sizeof number);
  sys::RegisterEmulator(platform, dirs[0], dirs[1], "Vortel", "Vortel.exe");
  EXPECT_EQ(Hkcr(".vl"), "VortelCfg");
}

// Without the values the end-to-end runs or the native write table already read back.
TEST_F(RegistryWin, FirstInstallationWritesEveryValueAndReinstallingOverwritesSilently) {
  const std::string main = "C:\\Program Files\\Vortel PRO\\", ftp = main + "FTP\\";
  wchar_t system[MAX_PATH];
  const std::string notepad =
      plat::win32::Narrow(system, GetSystemDirectoryW(system, MAX_PATH)) + "\\notepad.exe";
  const struct {
    HKEY root;
    std::string key;
    const char* name;
    std::string value;
  } values[] = {
      {HKEY_LOCAL_MACHINE, kMaker, "Ver", "3.04"},
      {HKEY_LOCAL_MACHINE, kMaker + "\\Vortel", "Ver", "3.30"},
      {HKEY_LOCAL_MACHINE, kMaker + "\\Klient FTP", "Ver", "1.081"},
      {HKEY_LOCAL_MACHINE, kMaker + "\\Wsadowy klient FTP", "Path", ftp},
      {HKEY_LOCAL_MACHINE, kMaker + "\\Server FTP", "Ver", "1.151"},
      {HKEY_LOCAL_MACHINE, kAppPaths + "NorvikFTPSrv.exe", "", "D:\\Serwer FTP\\NorvikFTPSrv.exe"},
      {HKEY_CLASSES_ROOT, "VortelCfg\\shell\\open\\command", "",
       "\"" + main + "Vortel.exe\" \"%1\""},
      {HKEY_CLASSES_ROOT, "VortelCfg\\shell\\open", "", "Otwórz-połącz"},
      {HKEY_CLASSES_ROOT, "NorvikFTPProfile\\DefaultIcon", "", ftp + "NorvikFTP.exe,0"},
      {HKEY_CLASSES_ROOT, "FTPBatchScript\\shell\\edit\\command", "", "\"" + notepad + "\" \"%1\""},
      {HKEY_CLASSES_ROOT, "FTPBatchScript\\shell\\edit", "", "Edytuj"},
      {HKEY_CLASSES_ROOT, ".ftp\\ShellNew", "FileName", ftp + "Pattern.ftp"},
  };
  for (int round = 0; round < 2; ++round) {
    sys::RegisterFtpServer(platform, dirs[0], dirs[3]);
    sys::RegisterFtpBatch(platform, dirs[0], dirs[2]);
    sys::RegisterFtpClient(platform, dirs[0], dirs[2]);
    sys::RegisterEmulator(platform, dirs[0], dirs[1], "Vortel", "Vortel.exe");
    for (const auto& v : values) {
      DWORD type = 0;
      EXPECT_EQ(RawValue(v.root, v.key, v.name, &type), v.value) << v.key << " " << v.name;
      EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << v.key << " " << v.name;
    }
    EXPECT_EQ(sys::GetAppPathDir(platform.Reg(), "NorvikFTPBatch.exe"), ftp);
  }
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_F(RegistryWin, ForeignProgIdIsNamedAndNoLeavesItAloneButAnEmptyDefaultIsTakenSilently) {
  RawSet(HKEY_CLASSES_ROOT, ".pft", "Content Type", "text/plain");
  sys::RegisterFtpClient(platform, dirs[0], dirs[2]);
  EXPECT_EQ(Hkcr(".pft"), "NorvikFTPProfile");
  EXPECT_EQ(Hkcr(".pft", "Content Type"), "text/plain");

  RawSet(HKEY_CLASSES_ROOT, ".ftp", "", "ObcyFTP");
  RawSet(HKEY_CLASSES_ROOT, "ObcyFTP", "", "Skrypt obcego programu");
  RawSet(HKEY_CLASSES_ROOT, "ObcyFTP\\shell\\open\\command", "", "\"C:\\Obcy\\ftp.exe\" \"%1\"");
  const std::string question =
      "Rejestrowane rozszerzenie (.ftp) typu: \"Skrypt FTP\"\rjest już zarejestrowane w systemie "
      "jako: \"Skrypt obcego programu\"\roraz skojarzone z programem: \"C:\\Obcy\\ftp.exe\".\r" +
      std::string(kTail);
  platform.dialogs.Expect(question, ModalResult::No);
  sys::RegisterFtpBatch(platform, dirs[0], dirs[2]);
  EXPECT_EQ(Hkcr(".ftp"), "ObcyFTP");
  EXPECT_EQ(Hkcr("ObcyFTP\\shell\\open\\command"), "\"C:\\Obcy\\ftp.exe\" \"%1\"");
  EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, ".ftp\\ShellNew"));
  EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, "FTPBatchScript"));
  EXPECT_EQ(RawValue(HKEY_LOCAL_MACHINE, kAppPaths + "NorvikFTPBatch.exe", "Path"), dirs[2]);

  platform.dialogs.Expect(question, ModalResult::Yes);
  sys::RegisterFtpBatch(platform, dirs[0], dirs[2]);
  EXPECT_EQ(Hkcr(".ftp"), "FTPBatchScript");
  EXPECT_EQ(Hkcr(".ftp\\ShellNew", "FileName"), dirs[2] + "Pattern.ftp");
}

}  // namespace
