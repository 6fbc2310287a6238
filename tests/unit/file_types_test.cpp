// Document types: when an existing association is taken over, what the user is asked, and
// what an answer leaves behind.
#include "system/file_types.h"

#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "platform/headless/headless.h"
#include "platform/text.h"
#include "system/registry_entries.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kTail[] =
    "Zmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
    "instalowany program ?";

TEST(ExtractQuotedPath, TakesTheTextBetweenTheFirstTwoQuotationMarks) {
  struct Case {
    const char* command;
    const char* path;
  } cases[] = {
      {"\"C:\\V\\Vortel.exe\" \"%1\"", "C:\\V\\Vortel.exe"},
      {"C:\\V\\Vortel.exe %1", "C:\\V\\Vortel.exe %1"},
      {"C:\\V\\Vortel.exe \"%1", "%1"},
      {"x\"C:\\a b\\p.exe\"y\"z\"", "C:\\a b\\p.exe"},
      {"\"\" \"%1\"", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::ExtractQuotedPath(c.command), c.path) << c.command;
}

class FileTypesTest : public ::testing::TestWithParam<bool> {
 protected:
  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessRegistry& registry = platform.registry;

  void SetUp() override {
    platform.version.ntFamily = GetParam();
    engine::TargetDirs = {"C:\\N\\", "C:\\N\\Vortel\\", "C:\\N\\FTP\\", "C:\\N\\Srv\\"};
  }
  void TearDown() override {
    EXPECT_TRUE(platform.dialogs.AllAnswered());
    EXPECT_EQ(registry.OpenKeys(), 0);
  }
  void Classes(const std::string& key, const std::string& value) {
    registry.Set(RegRoot::ClassesRoot, key, "", value);
  }
  std::string Classes(const std::string& key) {
    return registry.Get(RegRoot::ClassesRoot, key, "");
  }
  bool RegisterVl(const std::string& exePath) {
    auto reg = registry.NewAccessor();
    const bool done = sys::RegisterFileType(*reg, ".vl", "VortelCfg", "Vortel - plik konfiguracji",
                                            exePath + ",0", "open", "Otwórz-połącz",
                                            sys::QuotedCommand(exePath), "", "", "");
    EXPECT_EQ(reg->Root(), RegRoot::ClassesRoot);
    return done;
  }
  std::string SameProgIdQuestion(const std::string& current) {
    return "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\rjest już "
           "skojarzone z programem: \"" +
           current + "\".\r" + kTail;
  }
};

TEST_P(FileTypesTest, FirstRegistrationWritesEveryKeyWithoutAQuestion) {
  EXPECT_TRUE(RegisterVl("C:\\N\\Vortel\\Vortel.exe"));
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot),
            "REGEDIT4\n\n"
            "[HKEY_CLASSES_ROOT]\n\n"
            "[HKEY_CLASSES_ROOT\\.vl]\n@=\"VortelCfg\"\n\n"
            "[HKEY_CLASSES_ROOT\\VortelCfg]\n@=\"Vortel - plik konfiguracji\"\n\n"
            "[HKEY_CLASSES_ROOT\\VortelCfg\\DefaultIcon]\n"
            "@=\"C:\\\\N\\\\Vortel\\\\Vortel.exe,0\"\n\n"
            "[HKEY_CLASSES_ROOT\\VortelCfg\\shell]\n\n"
            "[HKEY_CLASSES_ROOT\\VortelCfg\\shell\\open]\n@=\"Otwórz-połącz\"\n\n"
            "[HKEY_CLASSES_ROOT\\VortelCfg\\shell\\open\\command]\n"
            "@=\"\\\"C:\\\\N\\\\Vortel\\\\Vortel.exe\\\" \\\"%1\\\"\"\n\n");
  EXPECT_TRUE(platform.dialogs.shown.empty());
}

TEST_P(FileTypesTest, SameProgIdAsksOnlyWhenAnotherProgramOwnsIt) {
  struct Case {
    const char* stored;  // default value of VortelCfg\shell\open\command; nullptr: no key
    const char* question;
    ModalResult answer;
    bool registered;
  } cases[] = {
      {"\"C:\\N\\Vortel\\Vortel.exe\" \"%1\"", nullptr, ModalResult::None, true},
      {"\"c:\\n\\VORTEL\\vortel.EXE\"", nullptr, ModalResult::None, true},
      {"\"D:\\Stary\\Vortel.exe\" \"%1\"", "D:\\Stary\\Vortel.exe", ModalResult::Yes, true},
      {"\"D:\\Stary\\Vortel.exe\" \"%1\"", "D:\\Stary\\Vortel.exe", ModalResult::No, false},
      // Unquoted, the whole command is compared, so even the same program differs.
      {"C:\\N\\Vortel\\Vortel.exe %1", "C:\\N\\Vortel\\Vortel.exe %1", ModalResult::No, false},
      {nullptr, "", ModalResult::No, false},
  };
  for (const auto& c : cases) {
    plat::headless::HeadlessPlatform fresh;
    fresh.version.ntFamily = GetParam();
    fresh.registry.Set(RegRoot::ClassesRoot, ".vl", "", "VortelCfg");
    fresh.registry.Set(RegRoot::ClassesRoot, "VortelCfg", "", "Stary opis");
    if (c.stored)
      fresh.registry.Set(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", "", c.stored);
    if (c.question) fresh.dialogs.Expect(SameProgIdQuestion(c.question), c.answer);
    auto reg = fresh.registry.NewAccessor();
    EXPECT_EQ(sys::RegisterFileType(*reg, ".vl", "VortelCfg", "Vortel - plik konfiguracji",
                                    "C:\\N\\Vortel\\Vortel.exe,0", "open", "Otwórz-połącz",
                                    sys::QuotedCommand("C:\\N\\Vortel\\Vortel.exe"), "", "", ""),
              c.registered)
        << (c.stored ? c.stored : "(no command key)");
    EXPECT_TRUE(fresh.dialogs.AllAnswered());
    EXPECT_EQ(fresh.dialogs.shown.size(), c.question ? 1u : 0u);
    for (const auto& shown : fresh.dialogs.shown) {
      EXPECT_TRUE(plat::IsCp1250Representable(shown.text));
      EXPECT_EQ(shown.type, plat::DlgType::Warning);
      EXPECT_EQ(shown.buttons,
                (std::vector<plat::DlgButton>{plat::DlgButton::Yes, plat::DlgButton::No}));
    }
    EXPECT_EQ(fresh.registry.Get(RegRoot::ClassesRoot, "VortelCfg", ""),
              c.registered ? "Vortel - plik konfiguracji" : "Stary opis");
    // A missing command key is made (empty) just to be asked about.
    EXPECT_TRUE(fresh.registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command"));
  }
}

TEST_P(FileTypesTest, ForeignProgIdIsNamedAndNoKeepsItsKeysAndTheTemplateAway) {
  Classes(".ftp", "ObcyFTP");
  Classes("ObcyFTP", "Skrypt obcego programu");
  Classes("ObcyFTP\\shell\\open\\command", "\"C:\\Obcy\\ftp.exe\" /s \"%1\"");
  const std::string before = registry.Dump(RegRoot::ClassesRoot);
  platform.dialogs.Expect(
      "Rejestrowane rozszerzenie (.ftp) typu: \"Skrypt FTP\"\rjest już zarejestrowane w systemie "
      "jako: \"Skrypt obcego programu\"\roraz skojarzone z programem: \"C:\\Obcy\\ftp.exe\".\r" +
          std::string(kTail),
      ModalResult::No);
  sys::RegisterFtpBatch("C:\\N\\FTP\\");
  EXPECT_EQ(registry.Dump(RegRoot::ClassesRoot), before);
  // The rest of the product's registration goes on.
  EXPECT_EQ(registry.Get(RegRoot::LocalMachine, "Software\\Norvik-Soft\\Wsadowy klient FTP", "Ver"),
            "1.081");

  platform.dialogs.Expect(platform.dialogs.shown.back().text, ModalResult::Yes);
  sys::RegisterFtpBatch("C:\\N\\FTP\\");
  EXPECT_EQ(Classes(".ftp"), "FTPBatchScript");
  EXPECT_EQ(Classes("FTPBatchScript\\shell\\edit\\command"), "\"notepad\" \"%1\"");
  EXPECT_EQ(Classes("FTPBatchScript\\shell\\edit"), "Edytuj");
  EXPECT_EQ(Classes("FTPBatchScript\\shell\\open"), "Wykonaj");
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, ".ftp\\ShellNew", "FileName"),
            "C:\\N\\FTP\\Pattern.ftp");
  EXPECT_EQ(Classes("ObcyFTP"), "Skrypt obcego programu");  // left, only no longer pointed at
}

TEST_P(FileTypesTest, ForeignProgIdDecisions) {
  struct Case {
    const char* oldProgId;
    bool oldKey;
    const char* oldCommand;  // nullptr: no command key
    const char* program;     // nullptr: no question
  } cases[] = {
      {"", false, nullptr, nullptr},         // extension names no type
      {"Zniknal", false, nullptr, nullptr},  // its type is gone
      {"Obcy", true, nullptr, ""},           // a type with no program
      {"Obcy", true, "obcy.exe %1", "obcy.exe %1"},
      {"vortelcfg", true, "\"C:\\X.exe\"", "C:\\X.exe"},  // ProgIDs compare exactly
  };
  for (const auto& c : cases) {
    plat::headless::HeadlessPlatform fresh;
    fresh.version.ntFamily = GetParam();
    if (c.oldKey) fresh.registry.Set(RegRoot::ClassesRoot, c.oldProgId, "", "Opis");
    if (c.oldCommand)
      fresh.registry.Set(RegRoot::ClassesRoot, std::string(c.oldProgId) + "\\shell\\open\\command",
                         "", c.oldCommand);
    if (c.program)
      fresh.dialogs.Expect(
          "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik "
          "konfiguracji\"\rjest już zarejestrowane w systemie jako: "
          "\"Opis\"\roraz skojarzone z programem: \"" +
              std::string(c.program) + "\".\r" + kTail,
          ModalResult::Yes);
    auto reg = fresh.registry.NewAccessor();
    EXPECT_TRUE(sys::ConfirmAssociationChange(*reg, ".vl", "VortelCfg",
                                              "Vortel - plik konfiguracji", "open",
                                              "\"C:\\V.exe\" \"%1\"", c.oldProgId))
        << c.oldProgId;
    EXPECT_TRUE(fresh.dialogs.AllAnswered()) << c.oldProgId;
    EXPECT_EQ(fresh.dialogs.shown.size(), c.program ? 1u : 0u) << c.oldProgId;
  }
}

TEST_P(FileTypesTest, ExtensionWithAnEmptyDefaultIsTakenOverSilently) {
  registry.MakeKey(RegRoot::ClassesRoot, ".pft");
  sys::RegisterFtpClient("C:\\N\\FTP\\");
  EXPECT_EQ(Classes(".pft"), "NorvikFTPProfile");
  EXPECT_EQ(Classes("NorvikFTPProfile"), "Profil połączenia FTP");
  EXPECT_EQ(Classes("NorvikFTPProfile\\shell\\open\\command"),
            "\"C:\\N\\FTP\\NorvikFTP.exe\" \"%1\"");
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "NorvikFTPProfile\\shell\\edit"));
}

TEST_P(FileTypesTest, KeyThatCannotBeOpenedIsSkippedAndTheOthersAreWritten) {
  registry.DenyOpen(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon");
  EXPECT_TRUE(RegisterVl("C:\\V\\Vortel.exe"));
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon"));
  EXPECT_EQ(Classes("VortelCfg\\shell\\open\\command"), "\"C:\\V\\Vortel.exe\" \"%1\"");
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, FileTypesTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Nt" : "Older"; });

}  // namespace
