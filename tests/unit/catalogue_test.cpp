// The catalogue is the package: a missing, misspelt or reordered entry ships a broken product.
#include "engine/catalogue.h"

#include <gtest/gtest.h>

#include "engine/target_dirs.h"
#include "platform/headless/headless.h"
#include "platform/text.h"

using namespace engine;

TEST(Catalogue, ListsHaveTheirLengthsAndOrder) {
  struct Case {
    const FileList* list;
    int last;
    const char* first;
    const char* lastEntry;
  } cases[] = {
      {&CommonFiles, 2, "Install.exe", "Zamowienie.doc"},
      {&VortelFiles, 21, "Vortel.exe", "wykonaj"},
      {&FtpClientFiles, 2, "NorvikFtp.exe", "NorvikFtp.cnt"},
      {&FtpBatchFiles, 1, "NorvikFtpBatch.exe", "Pattern.ftp"},
      {&FtpBatchScripts, 0, "vortelpro.ftp", "vortelpro.ftp"},
      {&FtpManualFiles, 0, "Norvik-FTP - Dokumentacja Techniczna.pdf",
       "Norvik-FTP - Dokumentacja Techniczna.pdf"},
      {&FtpServerFiles, 3, "NorvikFTPsrv.exe", "Norvik-FTPSrv - Dokumentacja Techniczna.pdf"},
      {&FtpClientFolders, 0, "Profiles", "Profiles"},
      {&FtpBatchFolders, 0, "Scripts", "Scripts"},
      {&FtpServerFolders, 4, "ftproot\\", "ftproot\\tmp\\"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LastIndex(*c.list), c.last) << c.first;
    EXPECT_EQ(c.list->front(), c.first);
    EXPECT_EQ(c.list->back(), c.lastEntry);
  }
  EXPECT_EQ(VortelFiles[10], "VORTELF1.dat");
  EXPECT_EQ(VortelFiles[9], "Vortel - Dokumentacja Techniczna.pdf");
  EXPECT_EQ(VortelFiles[16], "cnvISO-BS.prr");
}

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
  EXPECT_EQ(medium.size(), 36u);
}

TEST(Catalogue, EntryKindsAndStoredNames) {
  struct Case {
    const char* name;
    EntryKind kind;
    const char* stored;
  } cases[] = {
      {"Install.exe", EntryKind::Installer, "Install.ex_"},
      {"Vortel.exe", EntryKind::Stored, "Vortel.ex_"},
      {"Pattern.ftp", EntryKind::Stored, "Pattern.ft_"},
      {"VORTELF1.dat", EntryKind::Stored, "VORTELF1.da_"},
      {"cnv852-Maz.prr", EntryKind::Stored, "cnv852-Maz.pr_"},
      {"Vortel - Dokumentacja Techniczna.pdf", EntryKind::Stored,
       "Vortel - Dokumentacja Techniczna.pd_"},
      {"Zamowienie.doc", EntryKind::Stored, "Zamowienie.do_"},
      {"a.b", EntryKind::Stored, "a._"},
      {"install.exe", EntryKind::Stored, "install.ex_"},
      {"wydruk", EntryKind::Plain, "wydru_"},
      {"keylabel", EntryKind::Plain, "keylabe_"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KindOf(c.name), c.kind) << c.name;
    EXPECT_EQ(StoredName(c.name), c.stored);
  }
  EXPECT_EQ(StoredName(""), "");
}

TEST(Catalogue, ProductsKeepTheirCaptionsSlotsAndPrograms) {
  EXPECT_STREQ(Products[0].caption, "Emulator terminala Vortel  ver.3.30");
  EXPECT_STREQ(Products[1].caption, "Klient FTP  ver.1.081");
  EXPECT_STREQ(Products[2].caption, "Wsadowy klient FTP  ver.1.081");
  EXPECT_STREQ(Products[3].caption, "Serwer FTP  ver.1.151");
  const int slots[] = {1, 2, 2, 3};
  for (int i = 0; i < kProductCount; ++i) {
    EXPECT_EQ(Products[i].targetSlot, slots[i]);
    // Each product's program is the first entry of its own list.
    const FileList* lists[] = {&VortelFiles, &FtpClientFiles, &FtpBatchFiles, &FtpServerFiles};
    EXPECT_EQ(lists[i]->front(), Products[i].program);
  }
  EXPECT_STREQ(Products[1].defaultSubfolder, Products[2].defaultSubfolder);
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
