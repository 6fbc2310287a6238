// The catalogue is the package: a missing, misspelt or reordered entry ships a broken product.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "platform/headless/headless.h"
#include "platform/text.h"

using namespace engine;

TEST(Catalogue, EveryFileNameIsUniqueWithinItsFolderAndOnTheMedium) {
  // The medium is one flat folder: two entries sharing a stored name would overwrite each
  // other when mastered.
  std::set<std::string> medium;
  for (const FileList* list : {&CommonFiles, &VortelFiles, &FtpClientFiles, &FtpBatchFiles,
                               &FtpBatchScripts, &FtpManualFiles, &FtpServerFiles}) {
    for (const auto& entry : *list) {
      const std::string name = KindOf(entry) == EntryKind::Stored ? StoredName(entry) : entry;
      EXPECT_TRUE(medium.insert(plat::InvariantUpper(name)).second) << entry;
    }
  }
  EXPECT_EQ(medium.size(), 36u);  // a lost entry is a file no customer gets
  // Each product's program is the first entry of its own list.
  const FileList* lists[] = {&VortelFiles, &FtpClientFiles, &FtpBatchFiles, &FtpServerFiles};
  for (int i = 0; i < kProductCount; ++i) EXPECT_EQ(lists[i]->front(), Products[i].program);
}

TEST(Catalogue, EntryKindsAndStoredNames) {
  struct Case {
    const char* name;
    EntryKind kind;
    const char* stored;
  } cases[] = {
      {"Install.exe", EntryKind::Installer, "Install.ex_"},
      {"Vortel.exe", EntryKind::Stored, "Vortel.ex_"},
      {"Vortel - Dokumentacja Techniczna.pdf", EntryKind::Stored,
       "Vortel - Dokumentacja Techniczna.pd_"},
      {"a.b", EntryKind::Stored, "a._"},
      {"install.exe", EntryKind::Stored, "install.ex_"},
      {"wydruk", EntryKind::Plain, "wydru_"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindOf(c.name), c.kind) << c.name;
    EXPECT_EQ(StoredName(c.name), c.stored);
  }
  EXPECT_EQ(StoredName(""), "");
}

TEST(TargetFolders, ProductFoldersAreRelativeToTheMainFolderUnlessAbsolute) {
  struct Case {
    FolderTexts texts;
    std::array<std::string, 4> expected;
  } cases[] = {
      {{"C:\\Program Files\\Vortel PRO", "Vortel\\", "FTPCli\\", "FTPSrv\\"},
       {"C:\\Program Files\\Vortel PRO\\", "C:\\Program Files\\Vortel PRO\\Vortel\\",
        "C:\\Program Files\\Vortel PRO\\FTPCli\\", "C:\\Program Files\\Vortel PRO\\FTPSrv\\"}},
      {{"  C:\\VP\\  ", "D:\\Emu", "\\\\serwer\\ftp", "E:\\srv\\"},
       {"C:\\VP\\", "D:\\Emu\\", "\\\\serwer\\ftp\\", "E:\\srv\\"}},
      {{"C:\\VP", "", "   ", " sub "}, {"C:\\VP\\", "C:\\VP\\", "C:\\VP\\", "C:\\VP\\sub\\"}},
      // Nothing is normalised: a leading "\" doubles, ".." stays.
      {{"C:\\VP", "\\Emu", "..\\Cli", "a\\\\b"},
       {"C:\\VP\\", "C:\\VP\\\\Emu\\", "C:\\VP\\..\\Cli\\", "a\\\\b\\"}},
      {{"", "Vortel\\", "C:", "x:y"}, {"", "Vortel\\", "C:\\", "x:y\\"}},
  };
  for (const auto& c : cases) {
    ComputeTargetDirs(c.texts);
    EXPECT_EQ(TargetDirs, c.expected) << c.texts.mainFolder << "|" << c.texts.emulator;
  }
}
