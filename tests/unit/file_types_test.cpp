// Document types: when an existing association is taken over and what the user is asked. The
// keys a registration writes, and the takeover of a foreign type, are proven against the real
// registry under Wine; here the branches that need a registry in a state Wine will not keep.
#include "system/file_types.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/text.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

constexpr char kTail[] =
    "Zmienić przyporządkowanie rozszerzenia tak aby było domyślnie uruchamiane przez aktualnie "
    "instalowany program ?";
constexpr char kExe[] = "C:\\N\\Vortel\\Vortel.exe";

TEST(ExtractQuotedPath, TakesTheTextBetweenTheFirstTwoQuotationMarks) {
  const std::pair<const char*, const char*> cases[] = {
      {"\"C:\\V\\Vortel.exe\" \"%1\"", "C:\\V\\Vortel.exe"},
      {"C:\\V\\Vortel.exe %1", "C:\\V\\Vortel.exe %1"},
      {"C:\\V\\Vortel.exe \"%1", "%1"},
      {"x\"C:\\a b\\p.exe\"y\"z\"", "C:\\a b\\p.exe"},
      {"", ""},
  };
  for (const auto& [command, path] : cases)
    EXPECT_EQ(sys::ExtractQuotedPath(command), path) << command;
}

// Every takeover question is a Yes/No warning; the registry is left with no key open.
void ExpectSoundEnd(plat::headless::HeadlessPlatform& platform) {
  EXPECT_TRUE(platform.dialogs.AllAnswered());
  EXPECT_EQ(platform.registry.OpenKeys(), 0);
  for (const auto& shown : platform.dialogs.shown) {
    EXPECT_TRUE(plat::IsCp1250Representable(shown.text));
    EXPECT_EQ(shown.type, plat::DlgType::Warning);
    EXPECT_EQ(shown.buttons,
              (std::vector<plat::DlgButton>{plat::DlgButton::Yes, plat::DlgButton::No}));
  }
}

bool RegisterVl(plat::headless::HeadlessRegistry& registry) {
  auto reg = registry.NewAccessor();
  const bool done = sys::RegisterFileType(*reg, ".vl", "VortelCfg", "Vortel - plik konfiguracji",
                                          std::string(kExe) + ",0", "open", "Otwórz-połącz",
                                          sys::QuotedCommand(kExe), "", "", "");
  EXPECT_EQ(reg->Root(), RegRoot::ClassesRoot);
  return done;
}

TEST(FileTypes, SameProgIdAsksOnlyWhenAnotherProgramOwnsIt) {
  struct Case {
    const char* stored;  // default value of VortelCfg\shell\open\command; nullptr: no key
    const char* named;   // the program the question names; nullptr: no question
    ModalResult answer;
  } cases[] = {
      {"\"c:\\n\\VORTEL\\vortel.EXE\"", nullptr, ModalResult::None},
      {"\"D:\\Stary\\Vortel.exe\" \"%1\"", "D:\\Stary\\Vortel.exe", ModalResult::No},
      // Unquoted, the whole command is compared, so even the same program differs.
      {"C:\\N\\Vortel\\Vortel.exe %1", "C:\\N\\Vortel\\Vortel.exe %1", ModalResult::No},
      {nullptr, "", ModalResult::No},
  };
  for (const auto& c : cases) {
    plat::headless::HeadlessPlatform platform;
    auto& registry = platform.registry;
    registry.Set(RegRoot::ClassesRoot, ".vl", "", "VortelCfg");
    registry.Set(RegRoot::ClassesRoot, "VortelCfg", "", "Stary opis");
    if (c.stored)
      registry.Set(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", "", c.stored);
    if (c.named)
      platform.dialogs.Expect(
          "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik konfiguracji\"\rjest już "
          "skojarzone z programem: \"" +
              std::string(c.named) + "\".\r" + kTail,
          c.answer);
    const bool registered = c.named == nullptr;
    EXPECT_EQ(RegisterVl(registry), registered) << (c.stored ? c.stored : "(no command key)");
    ExpectSoundEnd(platform);
    EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "VortelCfg", ""),
              registered ? "Vortel - plik konfiguracji" : "Stary opis");
    // A missing command key is made (empty) just to be asked about.
    EXPECT_TRUE(registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command"));
  }
}

TEST(FileTypes, ForeignProgIdDecisions) {
  plat::headless::HeadlessPlatform platform;
  auto& registry = platform.registry;
  struct Case {
    const char* oldProgId;
    bool oldKey;
    const char* oldCommand;  // nullptr: no command key
    const char* program;     // nullptr: no question
  } cases[] = {
      {"", false, nullptr, nullptr},                      // extension names no type
      {"Zniknal", false, nullptr, nullptr},               // its type is gone
      {"Obcy", true, nullptr, ""},                        // a type with no program
      {"vortelcfg", true, "\"C:\\X.exe\"", "C:\\X.exe"},  // ProgIDs compare exactly
  };
  for (const auto& c : cases) {
    if (c.oldKey) registry.Set(RegRoot::ClassesRoot, c.oldProgId, "", "Opis");
    if (c.oldCommand)
      registry.Set(RegRoot::ClassesRoot, std::string(c.oldProgId) + "\\shell\\open\\command", "",
                   c.oldCommand);
    const size_t asked = platform.dialogs.shown.size();
    if (c.program)
      platform.dialogs.Expect(
          "Rejestrowane rozszerzenie (.vl) typu: \"Vortel - plik "
          "konfiguracji\"\rjest już zarejestrowane w systemie jako: "
          "\"Opis\"\roraz skojarzone z programem: \"" +
              std::string(c.program) + "\".\r" + kTail,
          ModalResult::Yes);
    auto reg = registry.NewAccessor();
    EXPECT_TRUE(sys::ConfirmAssociationChange(*reg, ".vl", "VortelCfg",
                                              "Vortel - plik konfiguracji", "open",
                                              "\"C:\\V.exe\" \"%1\"", c.oldProgId))
        << c.oldProgId;
    ExpectSoundEnd(platform);
    EXPECT_EQ(platform.dialogs.shown.size() - asked, c.program ? 1u : 0u) << c.oldProgId;
  }
}

TEST(FileTypes, KeyThatCannotBeOpenedIsSkippedAndTheOthersAreWritten) {
  plat::headless::HeadlessPlatform platform;
  auto& registry = platform.registry;
  registry.DenyOpen(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon");
  EXPECT_TRUE(RegisterVl(registry));
  ExpectSoundEnd(platform);
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon"));
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", ""),
            "\"C:\\N\\Vortel\\Vortel.exe\" \"%1\"");
}

}  // namespace
