// A misspelt entry ships a broken product; a misread marker offers products not on the medium.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include "engine/mastering.h"
#include "engine/medium_kind.h"
#include "engine/target_dirs.h"
#include "platform/errors.h"
#include "platform/headless/headless.h"
#include "platform/text.h"

using namespace engine;

TEST(Catalogue, EveryStoredNameIsUniqueOnTheFlatMediumAndEachProgramLeadsItsList) {
  std::set<std::string> medium;
  for (const FileList* list : {&CommonFiles, &VortelFiles, &FtpClientFiles, &FtpBatchFiles,
                               &FtpBatchScripts, &FtpManualFiles, &FtpServerFiles})
    for (const auto& entry : *list) {
      const std::string name = KindOf(entry) == EntryKind::Stored ? StoredName(entry) : entry;
      EXPECT_TRUE(medium.insert(plat::InvariantUpper(name)).second) << entry;
    }
  EXPECT_EQ(medium.size(), 36u);  // a lost entry is a file no customer gets
  const FileList* lists[] = {&VortelFiles, &FtpClientFiles, &FtpBatchFiles, &FtpServerFiles};
  for (int i = 0; i < kProductCount; ++i) EXPECT_EQ(lists[i]->front(), Products[i].program);
  const std::tuple<const char*, EntryKind, const char*> kinds[] = {
      {"Install.exe", EntryKind::Installer, "Install.ex_"},
      {"Vortel - Dokumentacja Techniczna.pdf", EntryKind::Stored,
       "Vortel - Dokumentacja Techniczna.pd_"},
      {"a.b", EntryKind::Stored, "a._"},
      {"wydruk", EntryKind::Plain, "wydru_"}};
  for (const auto& [name, kind, stored] : kinds)
    EXPECT_EQ(std::tuple(KindOf(name), StoredName(name)), std::tuple(kind, stored)) << name;
  EXPECT_EQ(StoredName(""), "");
}

TEST(Catalogue, ProductFoldersAreRelativeToTheMainFolderUnlessAbsolute) {
  plat::headless::HeadlessPlatform platform;
  const std::pair<FolderTexts, Folders> cases[] = {
      {{"  C:\\VP\\  ", "D:\\Emu", "\\\\serwer\\ftp", " sub "},
       {"C:\\VP\\", "D:\\Emu\\", "\\\\serwer\\ftp\\", "C:\\VP\\sub\\"}},
      {{"C:\\VP", "", "   ", "Srv\\"}, {"C:\\VP\\", "C:\\VP\\", "C:\\VP\\", "C:\\VP\\Srv\\"}},
      // Resolved as the system resolves them: doubled separators, "/", "." and "..".
      {{"C:\\VP\\\\", "\\Emu", "..\\Cli", "C:"},
       {"C:\\VP\\", "C:\\VP\\Emu\\", "C:\\Cli\\", "C:\\"}},
      {{"C:\\A\\..\\B\\.", "./x/../E", "D:\\C\\\\", "\\\\s\\u\\a\\..\\S"},
       {"C:\\B\\", "C:\\B\\E\\", "D:\\C\\", "\\\\s\\u\\S\\"}},
      // What names no folder stays as composed, for the check to name it.
      {{"", "Vortel\\", "x:y", "..\\.."}, {"", "Vortel\\", "x:y\\", "..\\..\\"}},
  };
  for (const auto& [texts, expected] : cases) {
    EXPECT_EQ(TargetDirsOf(texts), expected) << texts.mainFolder << "|" << texts.emulator;
  }
}

TEST(MediumKind, MarkerDecidesTheProductsAndTheAgreement) {
  plat::headless::HeadlessPlatform platform;
  auto& files = platform.files;
  // Marker ("-": none, "?": unreadable), products offered, agreement.
  const std::tuple<std::string, const char*, int> cases[] = {
      {"-", "++++", 0}, {"A", "+---", 1}, {"C", "-++-", 2},
      {"S", "---+", 3}, {"?", "++++", 0}, {"C\r\nwhatever follows", "-++-", 2},
      {"", "++++", 0},  {"a", "++++", 0}, {"X", "++++", 0},
      {" S", "++++", 0}};
  for (const auto& [marker, offered, agreement] : cases) {
    SCOPED_TRACE(marker);
    files.Remove("C:\\medium\\appid.dat");
    if (marker != "-" && marker != "?") files.PutFile("C:\\medium\\appid.dat", marker);
    const MediumKind kind =
        ReadMediumKind(files, marker == "?" ? "Q:\\no drive\\" : "C:\\medium\\");
    std::string products;
    for (int p = 0; p < 4; ++p) products += ProductOnMedium(kind, p) ? '+' : '-';
    EXPECT_EQ(products + std::to_string(kind.agreement), offered + std::to_string(agreement));
  }
  EXPECT_FALSE(ProductOnMedium({}, -1) || ProductOnMedium({}, 4));
  files.PutFile("C:\\out\\appid.dat", "old content, longer");
  WriteMediumKind(files, "C", "C:\\out\\");
  EXPECT_EQ(files.ReadFile("C:\\out\\appid.dat"), "C");
  EXPECT_THROW(WriteMediumKind(files, "S", "C:\\missing\\"), plat::EFileError);
  for (const char* other : {"a", "c", "s", "AS", "", "X"})
    EXPECT_EQ(GroupsOfKindWord(other), kWholePackage) << other;
  EXPECT_EQ(GroupsOfKindWord("A"), kEmulatorGroup);
  EXPECT_EQ(GroupsOfKindWord("C"), kFtpClientGroup);
  EXPECT_EQ(GroupsOfKindWord("S"), kFtpServerGroup);
}

// Mastering under Wine proves what each medium holds; here the words, read before the first copy.
TEST(Mastering, TheWordsChooseTheTargetAndTheKindAndTheFirstFailureEndsWithOne) {
  plat::headless::HeadlessPlatform platform;
  platform.files.AddDrive('E');
  platform.files.SetModulePath("C:\\Build\\Vortel\\Install.exe");
  const std::tuple<std::vector<std::string>, std::string, uint8_t> cases[] = {
      {{"DISC"}, "A:\\", kWholePackage},
      {{"disc", " E: ", "C"}, "E:\\", kFtpClientGroup},
      {{"Disc", "E:\\", "S"}, "E:\\", kFtpServerGroup},
      {{"DISC", "E:\\", "A"}, "E:\\", kEmulatorGroup},
      {{"DISC", "E:\\", "S", "extra"}, "E:\\", kWholePackage}};  // exactly three words or none
  for (const auto& [args, target, products] : cases) {
    platform.dialogs.Expect("Nie udało się utworzyć nośnika instalacyjnego w \"" + target +
                                "\".\r\"C:\\Build\\Vortel\\Install.exe\": plik lub katalog nie "
                                "istnieje",
                            plat::ModalResult::OK);
    // A whole-package medium holds no marker, even where its copying fails.
    platform.files.PutFile("E:\\appid.dat", "C");
    const int code = MasterMedium(platform, args);
    EXPECT_EQ(
        std::tuple(code, platform.dialogs.AllAnswered(), platform.files.Exists("E:\\appid.dat")),
        std::tuple(1, true, target == "A:\\" || products != kWholePackage));
  }
}
