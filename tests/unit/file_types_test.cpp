// Document types: when an existing association is taken over and what the user is asked. The
// keys a registration writes, and the takeover of a foreign type, are proven against the real
// registry under Wine; here the branches that need a registry in a state Wine will not keep.
#include "system/file_types.h"

#include <gtest/gtest.h>

#include "platform/headless/headless.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

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

bool RegisterVl(plat::headless::HeadlessRegistry& registry) {
  auto reg = registry.NewAccessor();
  return sys::RegisterFileType(*reg, ".vl", "VortelCfg", "Vortel - plik konfiguracji",
                               std::string(kExe) + ",0", "open", "Otwórz-połącz",
                               sys::QuotedCommand(kExe), "", "", "");
}

TEST(FileTypes, SameProgIdAsksOnlyWhenAnotherProgramOwnsIt) {
  const std::pair<const char*, const char*> cases[] = {
      // The stored command (nullptr: no key); the program the question names (nullptr: none).
      {"\"c:\\n\\VORTEL\\vortel.EXE\"", nullptr},
      {"\"D:\\Stary\\Vortel.exe\" \"%1\"", "D:\\Stary\\Vortel.exe"},
      // Unquoted, the whole command is compared, so even the same program differs.
      {"C:\\N\\Vortel\\Vortel.exe %1", "C:\\N\\Vortel\\Vortel.exe %1"},
      {nullptr, ""},
  };
  for (const auto& [stored, named] : cases) {
    plat::headless::HeadlessPlatform platform;
    auto& registry = platform.registry;
    registry.Set(RegRoot::ClassesRoot, ".vl", "", "VortelCfg");
    registry.Set(RegRoot::ClassesRoot, "VortelCfg", "", "Stary opis");
    if (stored) registry.Set(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", "", stored);
    if (named)
      platform.dialogs.Expect(kQuestion + "jest już skojarzone z programem: \"" + named + kTail,
                              ModalResult::No);
    EXPECT_EQ(RegisterVl(registry), named == nullptr) << (stored ? stored : "(no command key)");
    ExpectSoundEnd(platform);
    EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "VortelCfg", ""),
              named ? "Stary opis" : "Vortel - plik konfiguracji");
  }
}

TEST(FileTypes, ForeignProgIdIsNamedOnlyWhenItsTypeExistsAndAnUnopenableKeyIsSkipped) {
  plat::headless::HeadlessPlatform platform;
  auto& registry = platform.registry;
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
    EXPECT_TRUE(sys::ConfirmAssociationChange(*reg, ".vl", "VortelCfg",
                                              "Vortel - plik konfiguracji", "open",
                                              "\"C:\\V.exe\" \"%1\"", oldProgId));
    ExpectSoundEnd(platform);
  }
  EXPECT_EQ(platform.dialogs.shown.size(), 2u);
  registry.DenyOpen(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon");
  EXPECT_TRUE(RegisterVl(registry));
  EXPECT_FALSE(registry.KeyExists(RegRoot::ClassesRoot, "VortelCfg\\DefaultIcon"));
  EXPECT_EQ(registry.Get(RegRoot::ClassesRoot, "VortelCfg\\shell\\open\\command", ""),
            "\"C:\\N\\Vortel\\Vortel.exe\" \"%1\"");
}

}  // namespace
