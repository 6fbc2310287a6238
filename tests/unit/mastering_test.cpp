// Mastering writes what every customer installs from: each file must come from the right
// build folder, in the right form, and a failure must say so instead of leaving a medium that
// only looks complete.
#include "engine/mastering.h"

#include <gtest/gtest.h>
#include <map>

#include "engine/catalogue.h"
#include "engine/medium_kind.h"
#include "engine/stored_file.h"
#include "engine_fixture.h"
#include "platform/program_main.h"

using engine::MasterMedium;
using enginetest::FilesIn;
using enginetest::Inflate;
using enginetest::MixedBytes;
using plat::ModalResult;

namespace {

const std::string kBuild = "C:\\Build\\";

// Where the maker's build keeps each catalogue file, relative to C:\Build\ or absolute.
std::string BuildPathOf(const std::string& entry) {
  static const std::map<std::string, std::string> special = {
      {"Vortel.hlp", "Vortel\\doc\\vortel3\\"},
      {"Vortel.cnt", "Vortel\\doc\\vortel3\\"},
      {"Vortel - Dokumentacja Techniczna.pdf", "Vortel\\doc\\vortel3\\"},
      {"NorvikFtp.exe", "FTP_Cli_2\\"},
      {"NorvikFtp.hlp", "FTP_Cli_2\\doc\\"},
      {"NorvikFtp.cnt", "FTP_Cli_2\\doc\\"},
      {"Norvik-FTP - Dokumentacja Techniczna.pdf", "FTP_Cli_2\\doc\\"},
      {"NorvikFtpBatch.exe", "FTPBatch\\"},
      {"Pattern.ftp", "FTPBatch\\"},
      {"vortelpro.ftp", "FTPBatch\\"},
      {"NorvikFTPsrv.exe", "FTP_Srv\\"},
      {"FTPSrv.hlp", "FTP_Srv\\doc\\"},
      {"FTPSrv.cnt", "FTP_Srv\\doc\\"},
      {"Norvik-FTPSrv - Dokumentacja Techniczna.pdf", "FTP_Srv\\doc\\"},
  };
  if (entry.rfind("VORTELF", 0) == 0)
    return "C:\\NorvikSoft\\Build\\Fonts\\" + entry.substr(0, 8) + ".fon";
  auto it = special.find(entry);
  return kBuild + (it == special.end() ? "Vortel\\" : it->second) + entry;
}

}  // namespace

// The maker's build folders with every catalogue file, the emulator's folder current.
struct BuildFolders {
  BuildFolders() {
    files.AddDrive('A');
    files.AddDrive('E');
    unsigned seed = 1;
    for (const engine::FileList* list :
         {&engine::CommonFiles, &engine::VortelFiles, &engine::FtpClientFiles,
          &engine::FtpBatchFiles, &engine::FtpBatchScripts, &engine::FtpManualFiles,
          &engine::FtpServerFiles}) {
      for (const std::string& entry : *list) {
        if (entry == "Install.exe") continue;
        // Sizes on both sides of the input block; one file empty.
        const size_t size = entry == "wykonaj" ? 0 : (seed * 9973) % 150000;
        files.PutFile(BuildPathOf(entry), MixedBytes(size, seed++));
      }
    }
    files.PutFile("C:\\Build\\Vortel\\Install.exe", "MZ the running installer");
    files.SetModulePath("C:\\Build\\Vortel\\Install.exe");
    files.ChangeDirectory("C:\\Build\\Vortel");
  }

  // Checks that `target` holds exactly the medium of `lists`, each file in its stored form.
  void ExpectMedium(const std::string& target, std::vector<const engine::FileList*> lists,
                    const char* marker) {
    std::set<std::string> expected;
    for (const engine::FileList* list : lists) {
      for (const std::string& entry : *list) {
        SCOPED_TRACE(entry);
        switch (engine::KindOf(entry)) {
          case engine::EntryKind::Installer:
            EXPECT_EQ(files.ReadFile(target + entry), "MZ the running installer");
            expected.insert(entry);
            break;
          case engine::EntryKind::Plain:
            EXPECT_EQ(files.ReadFile(target + entry), files.ReadFile(BuildPathOf(entry)));
            expected.insert(entry);
            break;
          case engine::EntryKind::Stored: {
            const std::string source = files.ReadFile(BuildPathOf(entry));
            const std::string stored = engine::StoredName(entry);
            EXPECT_EQ(Inflate(files.ReadFile(target + stored), source.size()), source);
            expected.insert(stored);
            break;
          }
        }
      }
    }
    if (marker) {
      EXPECT_EQ(files.ReadFile(target + "appid.dat"), marker);
      expected.insert("appid.dat");
    }
    EXPECT_EQ(FilesIn(files, target), expected);
  }

  plat::headless::HeadlessPlatform platform;
  plat::headless::HeadlessFileSystem& files = platform.files;
  plat::headless::ScriptedDialogs& dialogs = platform.dialogs;
};

class MasteringTest : public ::testing::Test, public BuildFolders {};

TEST_F(MasteringTest, KindWordSelectsTheGroupWritesTheMarkerAndReplacesOldFilesSilently) {
  using namespace engine;
  const std::vector<const FileList*> all = {&CommonFiles,   &VortelFiles,     &FtpClientFiles,
                                            &FtpBatchFiles, &FtpBatchScripts, &FtpManualFiles,
                                            &FtpServerFiles};
  struct Case {
    std::vector<std::string> args;
    std::vector<const FileList*> lists;
    const char* marker;
  } cases[] = {
      {{"DISC", "E:\\", "A"}, {&CommonFiles, &VortelFiles}, "A"},
      {{"disc", "E:", "C"},
       {&CommonFiles, &FtpClientFiles, &FtpBatchFiles, &FtpBatchScripts, &FtpManualFiles},
       "C"},
      {{"Disc", " E:\\ ", "S"}, {&CommonFiles, &FtpServerFiles}, "S"},
      // Without exactly three words or a known letter everything is mastered.
      {{"DISC", "E:\\", "S", "extra"}, all, nullptr},
      {{"DISC", "E:\\", "s"}, all, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2]);
    for (const auto& name : FilesIn(files, "E:\\")) files.Remove("E:\\" + name);
    files.PutFile("E:\\Install.exe", "stale");
    files.PutFile("E:\\Zamowienie.do_", "stale");
    EXPECT_EQ(MasterMedium(c.args), 0);
    ExpectMedium("E:\\", c.lists, c.marker);
    EXPECT_EQ(MediumProducts, c.marker ? GroupsOfKindWord(c.marker) : kWholePackage);
  }
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_EQ(MasterMedium({"DISC"}), 0);
  ExpectMedium("A:\\", all, nullptr);
}

TEST_F(MasteringTest, ProgramEntryMastersWhenTheFirstWordIsDiscInAnyCase) {
  EXPECT_EQ(plat::ProgramMain({"dIsC", "E:\\", "S"}), 0);
  ExpectMedium("E:\\", {&engine::CommonFiles, &engine::FtpServerFiles}, "S");
}

TEST(Mastering, FirstFailureStopsWithOneMessageNamingTheFileAndExitCodeOne) {
  struct Case {
    const char* removed;  // from the build; nullptr: the medium has 100 bytes free
    std::string target, reason;
    const char* written;     // the file before the failure, still on the medium
    const char* notWritten;  // the one after it
  } cases[] = {
      {"C:\\Build\\FTP_Srv\\doc\\FTPSrv.cnt", "E:\\",
       "\"C:\\Build\\Vortel\\..\\FTP_Srv\\doc\\FTPSrv.cnt\": plik lub katalog nie istnieje",
       "FTPSrv.hl_", "Norvik-FTPSrv - Dokumentacja Techniczna.pd_"},
      {"C:\\NorvikSoft\\Build\\Fonts\\VORTELF2.fon", "E:\\",
       "\"C:\\NorvikSoft\\Build\\Fonts\\VORTELF2.fon\": plik lub katalog nie istnieje",
       "VORTELF1.da_", "cnv_magic.kb_"},
      {"C:\\Build\\Vortel\\keylabel", "E:\\",
       "\"C:\\Build\\Vortel\\keylabel\": plik lub katalog nie istnieje", "wydruk", "NorvikFtp.ex_"},
      {nullptr, "E:\\", "\"E:\\Uninstall.ex_\": brak miejsca na dysku", "Install.exe",
       "Zamowienie.do_"},
      {"", "Q:\\", "\"Q:\\Install.exe\": nie można zapisać kopii pliku", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    BuildFolders build;
    if (!c.removed)
      build.files.SetFreeSpace('E', 100);
    else if (*c.removed)
      build.files.Remove(c.removed);
    build.dialogs.Expect(
        "Nie udało się utworzyć nośnika instalacyjnego w \"" + c.target + "\".\r" + c.reason,
        ModalResult::OK);
    EXPECT_EQ(MasterMedium({"DISC", c.target}), 1);
    EXPECT_TRUE(build.dialogs.AllAnswered());
    ASSERT_EQ(build.dialogs.shown.size(), 1u);
    if (!c.written) continue;
    const auto medium = FilesIn(build.files, "E:\\");
    EXPECT_TRUE(medium.count(c.written));
    EXPECT_FALSE(medium.count(c.notWritten));
    for (const auto& name : medium) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
}
