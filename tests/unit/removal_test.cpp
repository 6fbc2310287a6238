// Removal and recovery, each judged by the whole machine before and after.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#include "engine/installation.h"
#include "engine/journal.h"
#include "engine/undo.h"
#include "install_fixture.h"
#include "platform/program_main.h"
#include "uninstall/uninstaller.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

const std::string kMain = "C:\\VP\\";
const std::string kJournal = std::string(installtest::kUninstallFolder) + engine::kJournalName;
const std::string kQuestion =
    "Czy usunąć pakiet Vortel PRO i wszystkie jego składniki z komputera ?";

struct Running : uninstall::Checks {
  bool running = false;
  bool IsAnyComponentRunning() override { return running; }
};

struct Notes : sys::RunLog {
  std::vector<std::string> undone, all;
  void Note(const std::string& text, bool) override {
    all.push_back(text);
    if (text.rfind("Cofnięto: ", 0) == 0) undone.push_back(text.substr(11));
  }
};

// A machine with a medium, a foreign owner of ".vl", an earlier "Vortel.exe" registered with a path
// its readers expand (which must come back expandable), and the uninstaller.
struct Box : installtest::Machine {
  Running checks;
  Notes notes;  // of the runs and the removal

  Box() {
    platform.registry.Set(RegRoot::ClassesRoot, ".vl", "", "OtherCfg");
    platform.registry.Set(RegRoot::ClassesRoot, "OtherCfg\\shell\\open\\command", "",
                          "\"C:\\Other\\other.exe\" \"%1\"");
    platform.files.PutFile("C:\\Other\\other.exe", "other");
    platform.registry.SetExpandString(
        RegRoot::LocalMachine,
        "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Vortel.exe", "",
        "%ProgramFiles%\\Stary\\Vortel.exe");
    platform.files.SetModulePath(installtest::kUninstallFolder + std::string("Uninstall.exe"));
    runLog = &notes;
  }
  // The takeover of ".vl" is asked whenever a run that registers finds it foreign.
  engine::RunOutcome Install(bool registers = true, ModalResult takeOver = ModalResult::Yes) {
    if (registers && platform.registry.Get(RegRoot::ClassesRoot, ".vl", "") != "VortelCfg")
      platform.dialogs.ExpectStartingWith("Rejestrowane rozszerzenie (.vl)", takeOver);
    return Run({true, true, true, true}, kMain, {true, true, true});
  }
  int Remove(uninstall::Mode mode, bool restart = true) {
    uninstall::Switches switches;
    switches.mode = mode;
    const int code = uninstall::ExitCodeOf(uninstall::Remove(switches, checks, notes));
    if (restart) platform.files.Restart();
    return code;
  }
};

TEST(Removal, InstallThenRemoveLeavesTheMachineAsFoundButTheUsersFiles) {
  for (const bool quiet : {false, true}) {
    Box box;
    const std::string before = box.State();
    // The quiet removal follows an installation whose user kept ".vl" with its program.
    ASSERT_EQ(box.Install(true, quiet ? ModalResult::No : ModalResult::Yes),
              engine::RunOutcome::Installed);
    EXPECT_EQ(box.platform.registry.Get(RegRoot::ClassesRoot, ".vl", ""),
              quiet ? "OtherCfg" : "VortelCfg");
    EXPECT_EQ(box.platform.shell.associationNotices, 1);
    // A key opened with a final "\\" is named as every key is.
    EXPECT_NE(box.platform.files.ReadFile(kJournal).find("\tSoftware\\Norvik-Soft\tPath\t"),
              std::string::npos);
    const std::string profile = kMain + "FTPCli\\Profiles\\moj.pft";
    box.platform.files.PutFile(profile, "mine");
    if (!quiet) {
      box.platform.dialogs.Expect(kQuestion, ModalResult::Yes);
      box.platform.dialogs.Expect(
          "Pakiet Vortel PRO został usunięty z komputera.\r\rPozostawiono pliki i katalogi "
          "utworzone przez użytkownika:\r" +
              profile,
          ModalResult::OK);
    }
    EXPECT_EQ(box.Remove(quiet ? uninstall::Mode::VerySilent : uninstall::Mode::Normal), 0);
    EXPECT_EQ(box.platform.files.ReadFile(profile), "mine");
    EXPECT_EQ(box.platform.shell.associationNotices, 2);
    // Shortcuts first, then the registry, the INI values, the files and folders.
    std::vector<int> phases;
    for (const std::string& what : box.notes.undone)
      phases.push_back(what.size() > 4 && what.compare(what.size() - 4, 4, ".lnk") == 0 ? 0
                       : what.rfind("HK", 0) == 0                                       ? 1
                       : what.find(" [") != std::string::npos                           ? 2
                                                                                        : 3);
    EXPECT_GT(phases.size(), 50u);
    EXPECT_TRUE(std::is_sorted(phases.begin(), phases.end()));
    std::filesystem::remove_all(box.platform.files.HostPath(kMain));
    EXPECT_EQ(box.State(), before) << "quiet: " << quiet;
  }
}

TEST(Removal, AnInstallationBeforeTheRestartKeepsItsUninstaller) {
  Box box;
  ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
  EXPECT_EQ(box.Remove(uninstall::Mode::Silent, false), 0);
  ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
  box.platform.files.Restart();
  EXPECT_TRUE(
      box.platform.files.Exists(installtest::kUninstallFolder + std::string("Uninstall.exe")));
  EXPECT_TRUE(box.platform.files.Exists(kJournal));
  // A value that cannot be taken back fails the removal, which keeps the journal for another try.
  box.platform.registry.DenyWrites(RegRoot::LocalMachine, "Software\\Norvik-Soft");
  EXPECT_EQ(box.Remove(uninstall::Mode::Silent), 6);
  EXPECT_TRUE(box.platform.files.Exists(kJournal));
}

// An overwritten read-only file leaves no kept copy and goes at removal. An unwritable journal or a
// damaged stored file fails a later run with its message, the earlier installation intact.
TEST(Removal, AReadOnlyFileReplacedThenAJournalThatCannotBeWrittenOrADamagedFile) {
  Box box;
  auto& files = box.platform.files;
  const std::string before = box.State();
  ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
  files.SetAttributes(kMain + "Zamowienie.doc", plat::kAttrReadOnly);
  box.platform.dialogs.ExpectStartingWith("Plik \"", ModalResult::All);
  for (int link = 0; link < 3; ++link)
    box.platform.dialogs.ExpectStartingWith("Skrót '", ModalResult::No);
  ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
  EXPECT_EQ(enginetest::FilesIn(files, kMain),
            (std::set<std::string>{"Uninstall.exe", "Zamowienie.doc"}));
  files.PutFile(kMain + "Zamowienie.doc", "changed");  // put back as it was
  const std::string installed = box.State();
  for (const bool journal : {true, false}) {
    if (journal)
      files.SetAttributes(kJournal, plat::kAttrReadOnly);
    else  // in the middle of the emulator's list; the journal before it too
      files.PutFile(installtest::kMedium + engine::StoredName("cnvCSK-852.fnt"), "bad");
    box.platform.dialogs.ExpectStartingWith("Plik \"", ModalResult::All);
    box.platform.dialogs.Expect("Wystąpił błąd podczas kopiowania plików.", ModalResult::OK);
    EXPECT_EQ(box.Install(), engine::RunOutcome::CopyFailed);
    EXPECT_EQ(box.State(), installed) << journal;
    files.SetAttributes(kJournal, 0);
  }
  EXPECT_EQ(box.Remove(uninstall::Mode::Silent), 0);
  EXPECT_EQ(box.State(), before);
}

// Someone who may write the main folder plants a journal before the first installation, then links
// a product folder to one of theirs: neither leads outside the package.
TEST(Removal, APlantedJournalOrALinkInPlaceOfAProductFolderLeadsNowhere) {
  const std::string planted = "VORTEL-PRO-JOURNAL 1\nrun\tC:\\\nfile\tC:\\Windows\\x.dll\t-\n";
  for (const bool reinstall : {false, true}) {
    Box box;
    auto& files = box.platform.files;
    files.PutFile("C:\\Windows\\x.dll", "the system's");
    files.PutFile(kMain + engine::kJournalName, planted);
    files.SetUntrusted(kMain);  // made by that user
    ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
    EXPECT_EQ(files.ReadFile(kMain + engine::kJournalName), planted);
    EXPECT_EQ(box.notes.all.front().rfind("Uwaga: katalog \"C:\\VP\\\" istniał", 0), 0u);
    // What it made is protected; the main folder was there before.
    EXPECT_TRUE(files.Protected(kMain + "Vortel") &&
                files.Protected(installtest::kUninstallFolder));
    const auto theirs = files.HostPath("C:\\Ich");
    std::filesystem::rename(files.HostPath(kMain + "Vortel"), theirs);
    std::filesystem::create_directory_symlink(theirs, files.HostPath(kMain + "Vortel"));
    auto contents = [&] {
      std::string all;
      for (const auto& name : enginetest::FilesIn(files, "C:\\Ich\\"))
        all += name + "=" + files.ReadFile("C:\\Ich\\" + name) + ";";
      return all;
    };
    const std::string before = contents();
    if (reinstall) {
      box.platform.dialogs.ExpectStartingWith("Plik \"", ModalResult::All);
      box.platform.dialogs.Expect("Wystąpił błąd podczas kopiowania plików.", ModalResult::OK);
      EXPECT_EQ(box.Install(), engine::RunOutcome::CopyFailed);
    } else {
      EXPECT_EQ(box.Remove(uninstall::Mode::VerySilent), 6);
    }
    EXPECT_EQ(contents(), before) << reinstall;
    EXPECT_EQ(files.ReadFile("C:\\Windows\\x.dll"), "the system's");
  }
}

TEST(Removal, AStepOfARollbackThatFailsIsNamedInOneMessageAndTheRestIsStillUndone) {
  Box box;
  const std::string before = box.State(), ini = kMain + "Vortel\\Vortel.ini";
  box.platform.pump.onPump = [&] {
    if (box.view.log.back() != "info Rejestrowanie programów.") return;
    box.platform.files.SetAttributes(ini, plat::kAttrReadOnly);  // its values cannot go back
    box.stop.Request();
  };
  box.platform.dialogs.Expect("Nie udało się cofnąć wszystkich zmian instalacji:\r" + ini +
                                  " [FTP] SERVER\r" + ini + " [FTP] CLIENT\r" + ini +
                                  " [CONFIG] USERDIR",
                              ModalResult::OK);
  EXPECT_EQ(box.Install(false), engine::RunOutcome::Aborted);
  // The journal keeps what was not undone, for the uninstaller; and nothing else.
  engine::JournalContents left;
  ASSERT_TRUE(engine::ParseJournal(box.platform.files.ReadFile(kJournal), left));
  EXPECT_EQ(left.changes.size(), 3u);
  for (const auto& change : left.changes) EXPECT_EQ(change.path, ini);
  box.platform.files.SetAttributes(ini, 0);
  EXPECT_EQ(box.Remove(uninstall::Mode::Silent), 0);
  EXPECT_EQ(box.State(), before);
}

// A journal others could change, or a line outside the package: the uninstaller touches nothing.
TEST(Removal, RefusesWhileAProgramRunsAndAJournalItCannotTrustTouchingNothing) {
  const std::string foreign = "zawiera zmianę spoza pakietu Vortel PRO";
  const std::string unreadable = "Nie można odczytać dziennika instalacji";
  const struct {
    std::string appended;  // to the installation's journal
    std::string message;
    int code = 6;
    bool running = false;
    std::function<void(plat::headless::HeadlessFileSystem&)> tamper = nullptr;
  } cases[] = {
      {"", "Wykryto, że są uruchomione niektóre komponenty", 2, true},
      {"", "Usuwanie anulowane.", 5},  // the answer: No
      {"file\tC:\\Windows\\x.dll\t-", foreign},
      {"file\tC:\\VP\\..\\Windows\\x.dll\t-", foreign},
      {"file\tC:\\Windows\\x.dll\tC:\\VP\\evil.dll", foreign},
      {"file\tC:\\VP\\Zamowienie.doc\tC:\\Users\\evil.dll", foreign},
      {"file\tC:\\VP\\Zamowienie.doc\tC:\\VP\\evil.dll", foreign},
      {"folder\tC:\\Users", foreign},
      {"shortcut\tC:\\Users\\x.lnk\t-", foreign},
      {"shortcut\tC:\\Pulpit\\x.dll\t-", foreign},
      {"value\tHKLM\tSYSTEM\\CurrentControlSet\\Services\\s\tImagePath\t-\ts:C:\\e.exe", foreign},
      {"value\tHKLM\tSoftware\\Norvik-Soft2\tPath\t-\ts:x", foreign},
      {"key\tHKCR\t.exe", foreign},
      {"ini\tC:\\Windows\\win.ini\tS\tK\t-\ts:x", foreign},
      {"ini\tC:\\VP\\Vortel\\Vortel.ini\tFTP\tSERVER\t-\ts:x%0D%0A[boot]", foreign},
      {"run\tC:\\\nfile\tC:\\Windows\\x.dll\t-", foreign},
      {"VORTEL-PRO-JOURNAL 2", unreadable},
      {"", unreadable, 6, false, [](auto& files) { files.Remove(kJournal); }},
      {"", "mógł zmienić użytkownik bez uprawnień administratora", 6, false,
       [](auto& files) { files.SetUntrusted(kJournal); }},
      {"", "mógł zmienić użytkownik", 6, false,
       [](auto& files) {
         std::filesystem::create_hard_link(files.HostPath(kJournal), files.HostPath("C:\\j"));
       }},
  };
  for (const auto& c : cases) {
    Box box;
    ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
    auto& files = box.platform.files;
    files.PutFile("C:\\Windows\\x.dll", "the system's");
    files.PutFile(kMain + "evil.dll", "planted");
    if (!c.appended.empty()) files.PutFile(kJournal, files.ReadFile(kJournal) + c.appended + "\n");
    if (c.tamper) c.tamper(files);
    box.checks.running = c.running;
    const std::string before = box.State();
    const std::string shown = c.code == 5                              ? kQuestion
                              : c.code == 2 || c.message == unreadable ? c.message
                                                                       : "Dziennik instalacji";
    box.platform.dialogs.ExpectStartingWith(shown, c.code == 5 ? ModalResult::No : ModalResult::OK);
    EXPECT_EQ(box.Remove(uninstall::Mode::Normal), c.code) << c.appended;
    EXPECT_NE(box.notes.all.back().find(c.message), std::string::npos) << box.notes.all.back();
    EXPECT_EQ(box.State(), before) << c.appended;
  }
  // A switch it does not know, or a log it cannot make, ends it with 1 before anything else.
  plat::headless::HeadlessPlatform platform;
  platform.dialogs.Expect("Nieznany parametr: /FOO", ModalResult::OK);
  EXPECT_EQ(plat::UninstallMain({"/FOO"}), 1);
  EXPECT_EQ(plat::UninstallMain({"/SILENT", "/LOG=Q:\\x"}), 1);
}

TEST(Journal, LinesReadBackAsWrittenACutLastLineIsLeftOutAndAFileNotPutBackIsNamed) {
  engine::Change value, file, inUse;
  value.kind = engine::ChangeKind::Value;
  value.root = RegRoot::ClassesRoot;
  value.path = "Software\\50%\tkey";
  value.before = {plat::RegValue::Kind::Number, "", 7};
  value.after = {plat::RegValue::Kind::String, "line\r\nnext", 0};
  file.kind = inUse.kind = engine::ChangeKind::File;
  file.path = "C:\\VP\\a b.txt";
  file.aside = "-";  // kept aside under the very name that means "none"
  inUse.path = "C:\\VP\\a.exe";
  inUse.aside = "C:\\VP\\~vp0.old";
  const std::string line = engine::FormatChange(value);
  EXPECT_EQ(line, "value\tHKCR\tSoftware\\50%25%09key\t\td:7\ts:line%0D%0Anext");
  engine::JournalContents contents;
  ASSERT_TRUE(engine::ParseJournal("VORTEL-PRO-JOURNAL 1\n# note\nrun\tC:\\A%09\n" + line + "\n" +
                                       engine::FormatChange(file) + "\nfolder\tC:\\cut",
                                   contents));
  EXPECT_EQ(contents.folders, std::vector<std::string>{"C:\\A\t"});
  const auto& read = contents.changes;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(engine::FormatChange(read[0]), line);
  EXPECT_TRUE(read[0].before == value.before && read[0].after == value.after);
  EXPECT_EQ(read[1].aside, file.aside);
  plat::headless::HeadlessPlatform platform;
  platform.files.PutFile("C:\\VP\\a.exe", "new");
  platform.files.PutFile("C:\\VP\\~vp0.old", "old");
  platform.files.SetInUse("C:\\VP\\a.exe");
  sys::RunLog none;
  const engine::UndoReport report =
      engine::Undo(platform, {inUse}, engine::UndoOrder::Reverse, none);
  EXPECT_EQ(report.failed,
            std::vector<std::string>{"C:\\VP\\a.exe (poprzednia wersja: C:\\VP\\~vp0.old)"});
  ASSERT_EQ(report.left.size(), 1u);
  EXPECT_EQ(report.left[0].aside, inUse.aside);
}

}  // namespace
