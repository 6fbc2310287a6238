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
std::string Overwrite(const std::string& path) {
  return "Plik \"" + path + "\" już istnieje.\rNadpisać ?";
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
    view.percents.clear();
    engine::StopRequested = false;  // as every caller does before a run
    return engine::RunInstallation(choices, view, installtest::kMedium);
  }
  bool HasTemporaryFile(const std::string& folder) {
    for (const auto& name : enginetest::FilesIn(platform.files, folder))
      if (name.rfind("~vt", 0) == 0) return true;
    return false;
  }

  plat::headless::HeadlessPlatform platform;
  LoggingView view;
};

}  // namespace

TEST(InstallationRun, AppliesThePlanFilesShortcutsConfigurationAndRegistrationsInOrder) {
  Machine m;
  // A sample script of several input blocks, so the progress must move within one file.
  std::string script(300000, ' ');
  for (size_t i = 0, x = 1; i < script.size(); ++i, x = x * 1103515245 + 12345)
    script[i] = static_cast<char>(x >> 16);
  m.platform.files.PutFile("D:\\vortelpro.ft_", enginetest::Deflate(script));
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
      copied.push_back(entry);
      EXPECT_EQ(m.platform.files.ReadFile(step.folder + entry), NewContents(entry)) << entry;
    }
  }
  copied.push_back("vortelpro.ftp");  // the sample script, while configuring
  EXPECT_EQ(m.view.Copied(), copied);
  EXPECT_FALSE(m.platform.files.Exists("C:\\VP\\Install.exe"));
  EXPECT_EQ(m.platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"), script);
  std::vector<std::string> signs;  // the copying reduced to the sample script
  for (const auto& line : m.view.log)
    if (line.rfind("info Kopiowanie", 0) != 0 || line == Copying("vortelpro.ftp"))
      signs.push_back(line);
  EXPECT_EQ(signs, (std::vector<std::string>{"progress", "animation on", kShortcuts,
                                             Copying("vortelpro.ftp"), kRegistering, "finish",
                                             "animation off"}));
  // The bar rises from 0 to 100, through the script, and is full before the finish page.
  const auto& shown = m.view.percents;
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown.front().first, 0);
  EXPECT_EQ(shown.back().first, 100);
  for (size_t i = 1; i < shown.size(); ++i) EXPECT_GT(shown[i].first, shown[i - 1].first);
  const auto& log = m.view.log;
  const size_t atScript = std::find(log.begin(), log.end(), Copying("vortelpro.ftp")) - log.begin();
  EXPECT_GE(std::count_if(shown.begin(), shown.end(),
                          [&](const auto& p) { return p.second == atScript + 1; }),
            3);
  EXPECT_LT(shown.back().second, size_t(std::find(log.begin(), log.end(), "finish") - log.begin()));
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
  script.platform.dialogs.Expect(Overwrite(path), ModalResult::Abort);
  script.platform.dialogs.Expect("Przerwać proces instalacji ?", ModalResult::Yes);
  EXPECT_EQ(script.Run({false, false, true, false}, "C:\\VP"), RunOutcome::Aborted);
  EXPECT_EQ(script.view.log.back(), "animation off");
  // Undone: the main folder made before the failing one, the sample script's folders.
  EXPECT_EQ(installtest::MachineState(folder.platform), folderBefore);
  EXPECT_EQ(installtest::MachineState(script.platform), scriptBefore);
  // Folders that fit, with a file name that would take a path past the limit: nothing is made.
  Machine deep;
  const std::string main = "C:\\" + std::string(215, 'k');
  deep.platform.dialogs.ExpectStartingWith("Nie można utworzyć katalogu \"" + main + "\\",
                                           ModalResult::OK);
  EXPECT_EQ(deep.Run(kAll, main), RunOutcome::FolderFailed);
  EXPECT_EQ(deep.view.log, (std::vector<std::string>{"progress"}));
  EXPECT_FALSE(deep.platform.files.Exists(main));
  for (Machine* m : {&folder, &script, &deep}) {
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
