// Removal and recovery: the journal a run writes, a run that does not install undone, the
// package removed by the uninstaller, each judged by the whole machine before and after.
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

#include "engine/installation.h"
#include "engine/journal.h"
#include "engine/run_log.h"
#include "engine/run_state.h"
#include "install_fixture.h"
#include "uninstall/uninstaller.h"

using plat::ModalResult;
using plat::RegRoot;

namespace {

const std::string kMain = "C:\\VP\\";
const std::string kQuestion =
    "Czy usunąć pakiet Vortel PRO i wszystkie jego składniki z komputera ?";

struct Running : uninstall::Checks {
  bool running = false;
  bool IsAnyComponentRunning() override { return running; }
};

struct Copy : plat::TemporaryCopy {
  std::vector<std::string> started;
  std::vector<uint32_t> waitedFor;
  bool Start(const std::string& arguments) override {
    started.push_back(arguments);
    return true;
  }
  uint32_t CurrentId() override { return 4242; }
  void WaitForEnd(uint32_t id, uint32_t) override { waitedFor.push_back(id); }
};

struct Notes : engine::RunLog {
  std::vector<std::string> undone;
  void Note(const std::string& text, bool) override {
    if (text.rfind("Cofnięto: ", 0) == 0) undone.push_back(text.substr(11));
  }
};

// A machine with a medium, an earlier program owning ".vl" and the uninstaller's own path.
struct Box {
  plat::headless::HeadlessPlatform platform;
  installtest::LoggingView view;
  Running checks;
  Copy copy;
  Notes notes;  // of the removal, not of the copy that finishes it

  Box() {
    installtest::PrepareMachine(platform);
    platform.registry.Set(RegRoot::ClassesRoot, ".vl", "", "OtherCfg");
    platform.registry.Set(RegRoot::ClassesRoot, "OtherCfg\\shell\\open\\command", "",
                          "\"C:\\Other\\other.exe\" \"%1\"");
    platform.files.PutFile("C:\\Other\\other.exe", "other");
    platform.files.SetModulePath(kMain + "Uninstall.exe");
  }
  engine::RunOutcome Install() {
    engine::InstallChoices choices;
    choices.products = {true, true, true, true};
    choices.folders = {kMain, "Vortel\\", "FTPCli\\", "FTPSrv\\"};
    choices.options = {true, true, true};
    engine::StopRequested = false;
    return engine::RunInstallation(choices, view, installtest::kMedium);
  }
  int Remove(uninstall::Mode mode) {
    uninstall::Switches switches;
    switches.mode = mode;
    int code;
    {
      engine::LogScope scope(&notes);
      code = uninstall::Remove(switches, checks, copy);
    }
    if (code != uninstall::kRemoved) return code;
    EXPECT_EQ(copy.started, std::vector<std::string>{"/CLEANUP=\"" + kMain + "\" /WAIT=4242"});
    switches.cleanup = kMain;
    switches.waitFor = 4242;
    const int finished = uninstall::FinishRemoval(switches, copy);
    EXPECT_EQ(copy.waitedFor, std::vector<uint32_t>{4242});
    return finished;
  }
  std::string State() { return installtest::MachineState(platform); }
};

TEST(Removal, InstallThenRemoveLeavesTheMachineAsFoundButTheUsersFiles) {
  for (const bool quiet : {false, true}) {
    Box box;
    const std::string before = box.State();
    box.platform.dialogs.ExpectStartingWith("Rejestrowane rozszerzenie (.vl)", ModalResult::Yes);
    ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
    EXPECT_EQ(box.platform.registry.Get(RegRoot::ClassesRoot, ".vl", ""), "VortelCfg");
    EXPECT_EQ(box.platform.shell.associationNotices, 1);
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
    EXPECT_TRUE(box.platform.dialogs.AllAnswered());
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

TEST(Removal, AFailedRunOverAnEarlierOneLeavesItIntactAndRemovable) {
  Box box;
  const std::string before = box.State();
  box.platform.dialogs.ExpectStartingWith("Rejestrowane rozszerzenie (.vl)", ModalResult::Yes);
  ASSERT_EQ(box.Install(), engine::RunOutcome::Installed);
  box.platform.files.PutFile(kMain + "Zamowienie.doc", "changed");  // put back as it was
  const std::string installed = box.State();
  // A damaged stored file in the middle of the emulator's list; the journal before it too.
  box.platform.files.PutFile(installtest::kMedium + engine::StoredName("cnvCSK-852.fnt"), "bad");
  box.platform.dialogs.ExpectStartingWith("Plik \"", ModalResult::All);
  box.platform.dialogs.Expect("Wystąpił błąd podczas kopiowania plików.", ModalResult::OK);
  EXPECT_EQ(box.Install(), engine::RunOutcome::CopyFailed);
  EXPECT_EQ(box.State(), installed);
  EXPECT_EQ(box.Remove(uninstall::Mode::Silent), 0);
  EXPECT_EQ(box.State(), before);
}

TEST(Removal, AStepOfARollbackThatFailsIsNamedInOneMessageAndTheRestIsStillUndone) {
  Box box;
  const std::string before = box.State(), ini = kMain + "Vortel\\Vortel.ini";
  box.platform.pump.onPump = [&] {
    if (box.view.log.back() != "info Rejestrowanie programów.") return;
    box.platform.files.SetAttributes(ini, plat::kAttrReadOnly);  // its values cannot go back
    engine::StopRequested = true;
  };
  box.platform.dialogs.Expect("Nie udało się cofnąć wszystkich zmian instalacji:\r" + ini +
                                  " [FTP] SERVER\r" + ini + " [FTP] CLIENT\r" + ini +
                                  " [CONFIG] USERDIR",
                              ModalResult::OK);
  EXPECT_EQ(box.Install(), engine::RunOutcome::Aborted);
  EXPECT_TRUE(box.platform.dialogs.AllAnswered());
  EXPECT_EQ(box.State(), before);
}

TEST(Removal, RefusesWhileAProgramRunsAndWithoutAReadableJournalTouchesNothing) {
  const struct {
    bool running;
    std::string journal;  // "" for none
    int code;
    std::string message;
  } cases[] = {
      {true, "VORTEL-PRO-JOURNAL 1\n", 2,
       "Wykryto, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\rPrzed usunięciem "
       "pakietu należy je zakończyć."},
      {false, "", 6, "Nie można odczytać dziennika instalacji \"C:\\VP\\Install.log\"."},
      {false, "VORTEL-PRO-JOURNAL 2\nfolder\tC:\\VP\n", 6, "Nie można odczytać dziennika"},
      {false, "VORTEL-PRO-JOURNAL 1\nfolder\tC:\\VP\nfile\tC:\\VP\\a\n", 6, "Nie można"},
      {false, "VORTEL-PRO-JOURNAL 1\nvalue\tHKXX\tK\tN\t-\ts:1\n", 6, "Nie można"},
      {false, "VORTEL-PRO-JOURNAL 1\nini\tC:\\a.ini\tS\tK\t-\ts:%4\n", 6, "Nie można"},
      {false, "VORTEL-PRO-JOURNAL 1\nfolder\tC:\\VP\n", 5, kQuestion},  // the answer: No
  };
  for (const auto& c : cases) {
    Box box;
    box.checks.running = c.running;
    if (!c.journal.empty()) box.platform.files.PutFile(kMain + engine::kJournalName, c.journal);
    box.platform.files.PutFile(kMain + "Uninstall.exe", "MZ");
    const std::string before = box.State();
    box.platform.dialogs.ExpectStartingWith(c.message,
                                            c.code == 5 ? ModalResult::No : ModalResult::OK);
    EXPECT_EQ(box.Remove(uninstall::Mode::Normal), c.code) << c.journal;
    EXPECT_TRUE(box.platform.dialogs.AllAnswered());
    EXPECT_EQ(box.State(), before) << c.journal;
  }
}

TEST(Journal, LinesReadBackAsWrittenAndACutLastLineIsLeftOut) {
  engine::Change value;
  value.kind = engine::ChangeKind::Value;
  value.root = RegRoot::ClassesRoot;
  value.path = "Software\\50%\tkey";
  value.before.kind = plat::RegValue::Kind::Number;
  value.before.number = 7;
  value.after.kind = plat::RegValue::Kind::String;
  value.after.text = "line\r\nnext";
  engine::Change file;
  file.kind = engine::ChangeKind::File;
  file.path = "C:\\VP\\a b.txt";
  file.aside = "-";  // kept aside under the very name that means "none"
  const std::string line = engine::FormatChange(value);
  EXPECT_EQ(line, "value\tHKCR\tSoftware\\50%25%09key\t\td:7\ts:line%0D%0Anext");
  std::vector<engine::Change> read;
  ASSERT_TRUE(engine::ParseJournal("VORTEL-PRO-JOURNAL 1\n# note\nrun\n" + line + "\n" +
                                       engine::FormatChange(file) + "\nfolder\tC:\\cut",
                                   read));
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(engine::FormatChange(read[0]), line);
  EXPECT_TRUE(read[0].before == value.before && read[0].after == value.after);
  EXPECT_EQ(read[1].aside, file.aside);
}

}  // namespace
