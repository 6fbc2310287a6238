// Mastering writes what every customer installs from: each file must come from the right
// build folder, in the right form, and a failure must say so instead of leaving a medium that
// only looks complete.
#include "engine/mastering.h"

#include <gtest/gtest.h>

#include "engine/catalogue.h"
#include "engine/medium_kind.h"
#include "engine/stored_file.h"
#include "engine_fixture.h"

using engine::MasterMedium;
using enginetest::FilesIn;
using enginetest::MixedBytes;
using plat::ModalResult;

namespace {

const std::string kBuild = "C:\\Build\\";

// Where the maker's build keeps each catalogue file: below C:\Build\ by the folders that hold
// more than the emulator's own files, the fonts in the shared font folder.
std::string BuildPathOf(const std::string& entry) {
  const std::pair<const char*, std::vector<std::string>> folders[] = {
      {"Vortel\\doc\\vortel3\\",
       {"Vortel.hlp", "Vortel.cnt", "Vortel - Dokumentacja Techniczna.pdf"}},
      {"FTP_Cli_2\\", {"NorvikFtp.exe"}},
      {"FTP_Cli_2\\doc\\",
       {"NorvikFtp.hlp", "NorvikFtp.cnt", "Norvik-FTP - Dokumentacja Techniczna.pdf"}},
      {"FTPBatch\\", {"NorvikFtpBatch.exe", "Pattern.ftp", "vortelpro.ftp"}},
      {"FTP_Srv\\", {"NorvikFTPsrv.exe"}},
      {"FTP_Srv\\doc\\",
       {"FTPSrv.hlp", "FTPSrv.cnt", "Norvik-FTPSrv - Dokumentacja Techniczna.pdf"}},
  };
  if (entry.rfind("VORTELF", 0) == 0)
    return "C:\\NorvikSoft\\Build\\Fonts\\" + entry.substr(0, 8) + ".fon";
  for (const auto& [folder, names] : folders)
    for (const auto& name : names)
      if (name == entry) return kBuild + folder + entry;
  return kBuild + "Vortel\\" + entry;
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

  // Checks that `target` holds exactly the medium of `lists` and the marker. What each file
  // holds is judged against the sample package with Python's zlib under Wine.
  void ExpectMedium(const std::string& target, std::vector<const engine::FileList*> lists,
                    const char* marker) {
    std::set<std::string> expected;
    for (const engine::FileList* list : lists)
      for (const std::string& entry : *list)
        expected.insert(
            engine::KindOf(entry) == engine::EntryKind::Stored ? engine::StoredName(entry) : entry);
    if (marker) expected.insert("appid.dat");
    EXPECT_EQ(FilesIn(files, target), expected);
    EXPECT_EQ(files.ReadFile(target + "Install.exe"), "MZ the running installer");
    if (marker) {
      EXPECT_EQ(files.ReadFile(target + "appid.dat"), marker);
    }
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

TEST(Mastering, FirstFailureStopsWithOneMessageNamingTheFileAndExitCodeOne) {
  struct Case {
    const char* removed;  // from the build; nullptr: the medium has 100 bytes free
    std::string target, reason;
    const char* written;     // the file before the failure, still on the medium
    const char* notWritten;  // the one after it
  } cases[] = {
      {"C:\\NorvikSoft\\Build\\Fonts\\VORTELF2.fon", "E:\\",
       "\"C:\\NorvikSoft\\Build\\Fonts\\VORTELF2.fon\": plik lub katalog nie istnieje",
       "VORTELF1.da_", "cnv_magic.kb_"},
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
