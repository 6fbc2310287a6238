// The installation run from a whole-package medium: the order of its steps, its ends, and what
// each end leaves on disk and in the registry.
#include "engine/installation.h"

#include <gtest/gtest.h>

#include "engine/install_plan.h"
#include "engine/run_state.h"
#include "install_fixture.h"
#include "system/paths.h"

using engine::RunOutcome;
using installtest::LoggingView;
using installtest::NewContents;
using installtest::Selection;
using plat::ModalResult;

namespace {

const Selection kAll = {true, true, true, true};
const std::string kShortcuts = "info Tworzenie skrótów do programów.";
const std::string kRegistering = "info Rejestrowanie programów.";

std::string Copying(const std::string& name) {
  return "info Kopiowanie pliku \"" + name + "\".";
}

// One machine and one run of the installation into `main`.
struct Machine {
  Machine() { installtest::PrepareMachine(platform); }

  // `options`: the emulator's and the FTP client's desktop shortcuts, the server's autostart.
  RunOutcome Run(const Selection& chosen, const std::string& main,
                 const std::array<bool, 3>& options = {},
                 const std::string& emulatorFolder = "Vortel\\") {
    engine::InstallChoices choices;
    choices.products = chosen;
    choices.folders = {main, emulatorFolder, "FTPCli\\", "FTPSrv\\"};
    choices.options = options;
    view.log.clear();
    engine::StopRequested = false;  // as every caller does before a run
    return engine::RunInstallation(choices, view, installtest::kMedium);
  }

  plat::headless::HeadlessPlatform platform;
  LoggingView view;
};

}  // namespace

TEST(InstallationRun, AppliesThePlanFilesShortcutsConfigurationAndRegistrationsInOrder) {
  Machine m;
  // The shortcuts are made before the sample script is copied.
  bool linkBeforeScript = false;
  m.platform.pump.onPump = [&] {
    if (m.view.log.back() == Copying("vortelpro.ftp"))
      linkBeforeScript =
          m.platform.files.Exists(std::string(installtest::kDesktop) + "\\Vortel.lnk");
  };
  ASSERT_EQ(m.Run(kAll, "C:\\VP", {true, true, true}), RunOutcome::Installed);
  EXPECT_TRUE(linkBeforeScript);
  engine::InstallChoices choices;
  choices.products = kAll;
  std::vector<std::string> copied;
  for (const auto& step : engine::PlanInstallation(choices, engine::TargetDirs).steps) {
    if (step.kind != engine::StepKind::Files) continue;
    for (const auto& entry : *step.files) {
      if (engine::KindOf(entry) == engine::EntryKind::Installer) continue;
      copied.push_back(Copying(entry));
      EXPECT_EQ(m.platform.files.ReadFile(step.folder + entry), NewContents(entry)) << entry;
    }
  }
  copied.push_back(Copying("vortelpro.ftp"));  // the sample script, while configuring
  EXPECT_FALSE(m.platform.files.Exists("C:\\VP\\Install.exe"));
  EXPECT_EQ(m.platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"),
            NewContents("vortelpro.ftp"));
  std::vector<std::string> copies, signs;  // the copying, and the rest with the sample script
  for (const auto& line : m.view.log) {
    if (line.rfind("info Kopiowanie", 0) == 0) copies.push_back(line);
    if (line.rfind("info Kopiowanie", 0) != 0 || line == copied.back()) signs.push_back(line);
  }
  EXPECT_EQ(copies, copied);
  EXPECT_EQ(signs, (std::vector<std::string>{"progress", "animation on", kShortcuts,
                                             Copying("vortelpro.ftp"), kRegistering, "finish",
                                             "animation off"}));
  for (const char* key : {"Vortel", "Klient FTP", "Wsadowy klient FTP", "Server FTP"})
    EXPECT_NE(m.platform.registry.Get(plat::RegRoot::LocalMachine,
                                      std::string("Software\\Norvik-Soft\\") + key, "Path"),
              "")
        << key;
  EXPECT_TRUE(m.platform.dialogs.AllAnswered());
}

// The wizard's ends (a main folder on a missing drive, a corrupt stored file, an abort at a
// question) are proven on the real program end to end, a refused registration with the
// wizard's exit codes; here the ends only a staged machine reaches.
TEST(InstallationRun, AProductFolderThatFailsOrAnAbortAtTheSampleScriptEndsBeforeRegistering) {
  Machine folder;
  const std::string folderBefore = installtest::MachineState(folder.platform);
  folder.platform.dialogs.Expect("Nie można utworzyć katalogu \"Q:\\Emu\\\"", ModalResult::OK);
  EXPECT_EQ(folder.Run(kAll, "C:\\VP", {}, "Q:\\Emu"), RunOutcome::FolderFailed);
  EXPECT_EQ(folder.view.log, (std::vector<std::string>{"progress"}));
  EXPECT_EQ(folder.platform.dialogs.shown.back().type, plat::DlgType::Error);
  Machine script;
  const std::string path = "C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp";
  script.platform.files.PutFile(path, "old");
  const std::string scriptBefore = installtest::MachineState(script.platform);
  script.platform.dialogs.Expect("Plik \"" + path + "\" już istnieje.\rNadpisać ?",
                                 ModalResult::Abort);
  script.platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
  EXPECT_EQ(script.Run({false, false, true, false}, "C:\\VP"), RunOutcome::Aborted);
  EXPECT_EQ(script.view.log.back(), "animation off");
  // Undone: the main folder made before the failing one, the sample script's folders.
  EXPECT_EQ(installtest::MachineState(folder.platform), folderBefore);
  EXPECT_EQ(installtest::MachineState(script.platform), scriptBefore);
  for (Machine* m : {&folder, &script}) {
    EXPECT_TRUE(m->platform.dialogs.AllAnswered());
    EXPECT_TRUE(m->platform.registry.writes.empty());
    EXPECT_FALSE(m->platform.files.Exists(std::string(installtest::kPrograms) + "\\Vortel PRO"));
  }
}

// A close confirmed while messages are pumped: during a file's expansion the run ends after
// that whole file; nothing may follow the last file, the sample script or the last pump. Then
// the run is undone.
TEST(InstallationRun, AStopRequestedWhileMessagesArePumpedEndsTheRunThere) {
  const std::string ini = "C:\\VP\\Vortel\\Vortel.ini";
  const struct {
    Selection chosen;
    std::string trigger;
  } cases[] = {
      {{true, false, false, false}, Copying("Vortel.hlp")},
      {{false, false, false, true}, Copying("Norvik-FTPSrv - Dokumentacja Techniczna.pdf")},
      {{false, false, true, true}, Copying("vortelpro.ftp")},
      {{false, false, false, true}, kRegistering},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.trigger);
    Machine m;
    m.platform.files.PutFile(ini, "[FTP]\r\n");
    const std::string before = installtest::MachineState(m.platform);
    bool stopped = false;
    m.platform.pump.onPump = [&] {
      if (m.view.log.back() == c.trigger) engine::StopRequested = stopped = true;
    };
    EXPECT_EQ(m.Run(c.chosen, "C:\\VP", {false, false, true}), RunOutcome::Aborted);
    ASSERT_TRUE(stopped);
    EXPECT_EQ(m.view.log[m.view.log.size() - 2], c.trigger);
    EXPECT_EQ(m.view.log.back(), "animation off");
    EXPECT_TRUE(m.platform.registry.writes.empty());
    EXPECT_EQ(installtest::MachineState(m.platform), before);
    EXPECT_TRUE(m.platform.dialogs.AllAnswered());
  }
}
