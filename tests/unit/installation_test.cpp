// The installation run from a whole-package medium: the order of its steps, its ends, and what
// each end leaves on disk and in the registry.
#include "engine/installation.h"

#include <algorithm>
#include <functional>
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
const std::string kCopyError = "Wystąpił błąd podczas kopiowania plików.";
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
    engine::StopRequested = false;  // as every caller does before a run
    return engine::RunInstallation(choices, view, installtest::kMedium);
  }
  // The products registered, in order, by their subkeys of the maker key.
  std::vector<std::string> Registered() const {
    std::vector<std::string> products;
    const std::string key = "\\Software\\Norvik-Soft\\", value = ":Path";
    for (const auto& write : platform.registry.writes) {
      const auto at = write.find(key);
      if (at != std::string::npos && write.size() > value.size() &&
          write.compare(write.size() - value.size(), value.size(), value) == 0)
        products.push_back(write.substr(at + key.size(), write.size() - at - key.size() - 5));
    }
    return products;
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
  EXPECT_EQ(m.platform.files.ReadFile("C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp"),
            NewContents("vortelpro.ftp"));
  std::vector<std::string> signs;
  for (const auto& line : m.view.log)
    if (line.rfind("info Kopiowanie", 0) != 0) signs.push_back(line);
  EXPECT_EQ(signs, (std::vector<std::string>{"progress", "animation on", kShortcuts, kRegistering,
                                             "finish", "animation off"}));
  const auto& log = m.view.log;
  EXPECT_LT(std::find(log.begin(), log.end(), kShortcuts) - log.begin(),
            std::find(log.begin(), log.end(), Copying("vortelpro.ftp")) - log.begin());
  EXPECT_EQ(m.Registered(),
            (std::vector<std::string>{"Server FTP", "Wsadowy klient FTP", "Klient FTP", "Vortel"}));
  EXPECT_EQ(m.platform.files.ReadFile("C:\\VP\\Vortel\\Vortel.ini"),
            "[CONFIG]\r\nUSERDIR=\r\n[FTP]\r\nCLIENT=C:\\VP\\FTPCli\\NorvikFtp.exe\r\n"
            "SERVER=C:\\VP\\FTPSrv\\NorvikFTPsrv.exe\r\n");
  for (const std::string& link :
       {std::string(installtest::kDesktop) + "\\Vortel.lnk",
        std::string(installtest::kDesktop) + "\\Norvik-FTP.lnk",
        std::string(installtest::kStartup) + "\\Serwer FTP.lnk",
        std::string(installtest::kPrograms) + "\\Vortel PRO\\Vortel.lnk"}) {
    plat::ShellLinkInfo info;
    EXPECT_TRUE(m.platform.links.Read(link, info)) << link;
  }
  EXPECT_TRUE(m.platform.dialogs.AllAnswered());
}

TEST(InstallationRun, EachEndShowsOneMessageAtMostAndOnlySuccessRegisters) {
  const std::string emu = "C:\\VP\\Vortel\\";
  using Prepare = std::function<void(plat::headless::HeadlessPlatform&)>;
  using Dialogs = std::vector<std::pair<std::string, ModalResult>>;
  const Dialogs abort = {{Overwrite(emu + "Vortel.hlp"), ModalResult::Abort},
                         {"Przerwać proces instalacji ?", ModalResult::Yes}};
  const Prepare oldHelp = [&](auto& p) { p.files.PutFile(emu + "Vortel.hlp", "old"); };
  // `oldKept`: an old Vortel.hlp was there and must stay.
  auto check = [&](const char* what, const Selection& chosen, const std::string& main,
                   const std::string& emulatorFolder, const Prepare& prepare,
                   const Dialogs& dialogs, RunOutcome outcome, bool oldKept) {
    SCOPED_TRACE(what);
    Machine m;
    if (prepare) prepare(m.platform);
    for (const auto& [text, answer] : dialogs) m.platform.dialogs.Expect(text, answer);
    EXPECT_EQ(m.Run(chosen, main, {}, emulatorFolder), outcome);
    EXPECT_TRUE(m.platform.dialogs.AllAnswered());
    const bool success = outcome == RunOutcome::Installed;
    const auto& log = m.view.log;
    EXPECT_EQ(log.back(), outcome == RunOutcome::FolderFailed ? "progress" : "animation off");
    EXPECT_EQ(std::count(log.begin(), log.end(), "finish"), success ? 1 : 0);
    EXPECT_EQ(std::count(log.begin(), log.end(), "animation on"),
              std::count(log.begin(), log.end(), "animation off"));
    if (outcome != RunOutcome::RegistrationFailed && !success) {
      EXPECT_TRUE(m.platform.registry.writes.empty());
      EXPECT_FALSE(m.platform.files.Exists(std::string(installtest::kPrograms) + "\\Vortel PRO"));
    }
    if (outcome == RunOutcome::FolderFailed) {
      EXPECT_EQ(log, (std::vector<std::string>{"progress"}));
      EXPECT_FALSE(m.platform.files.Exists("C:\\VP\\FTPCli"));
    }
    if (oldKept) {
      EXPECT_EQ(m.platform.files.ReadFile(emu + "Vortel.hlp"), "old");
      EXPECT_FALSE(m.HasTemporaryFile(emu));
    }
  };
  check("success", kAll, "C:\\VP", "Vortel\\", nullptr, {}, RunOutcome::Installed, false);
  check("main folder on a missing drive", kAll, "Q:\\VP", "Vortel\\", nullptr,
        {{"Nie można utworzyć katalogu \"Q:\\VP\\\"", ModalResult::OK}}, RunOutcome::FolderFailed,
        false);
  check("product folder on a missing drive", kAll, "C:\\VP", "Q:\\Emu", nullptr,
        {{"Nie można utworzyć katalogu \"Q:\\Emu\\\"", ModalResult::OK}}, RunOutcome::FolderFailed,
        false);
  check(
      "corrupt stored file", kAll, "C:\\VP", "Vortel\\",
      [&](auto& p) {
        oldHelp(p);
        p.files.PutFile("D:\\Vortel.hl_", "to nie jest strumień zlib");
      },
      {{Overwrite(emu + "Vortel.hlp"), ModalResult::Yes}, {kCopyError, ModalResult::OK}},
      RunOutcome::CopyFailed, true);
  check(
      "plain file missing on the medium", kAll, "C:\\VP", "Vortel\\",
      [](auto& p) { p.files.Remove("D:\\wydruk"); }, {{kCopyError, ModalResult::OK}},
      RunOutcome::CopyFailed, false);
  check("abort at an overwrite question", kAll, "C:\\VP", "Vortel\\", oldHelp, abort,
        RunOutcome::Aborted, true);
  const std::string script = "C:\\VP\\FTPCli\\Scripts\\vortelpro.ftp";
  check(
      "abort at the sample script's question", {false, false, true, false}, "C:\\VP", "Vortel\\",
      [&](auto& p) { p.files.PutFile(script, "old"); },
      {{Overwrite(script), ModalResult::Abort}, abort[1]}, RunOutcome::Aborted, false);
  check(
      "registry refuses writes", kAll, "C:\\VP", "Vortel\\",
      [](auto& p) { p.registry.DenyWrites(plat::RegRoot::LocalMachine, "Software\\Norvik-Soft"); },
      {{kCopyError, ModalResult::OK}}, RunOutcome::RegistrationFailed, false);
}

TEST(InstallationRun, AStopRequestedWhileAFileExpandsEndsTheRunThereAndRollsItBack) {
  const std::string emu = "C:\\VP\\Vortel\\", srv = "C:\\VP\\FTPSrv\\", ini = emu + "Vortel.ini";
  const struct {
    Selection chosen;
    std::string folder, expanding, never;  // `never`: what must not be made
  } cases[] = {
      {{true, false, false, false}, emu, "Vortel.hlp", emu + "Vortel.cnt"},
      // The last file of the last list, and the sample script: nothing may follow either.
      {{false, false, false, true},
       srv,
       "Norvik-FTPSrv - Dokumentacja Techniczna.pdf",
       srv + "ftproot"},
      {{false, false, true, true}, "C:\\VP\\FTPCli\\Scripts\\", "vortelpro.ftp", srv + "ftproot"},
  };
  for (const auto& c : cases) {
    Machine m;
    m.platform.files.PutFile(ini, "[FTP]\r\n");
    const std::string before = installtest::MachineState(m.platform);
    bool expanded = false;
    m.platform.pump.onPump = [&] {
      if (m.view.log.back() != Copying(c.expanding)) return;
      engine::StopRequested = true;
      expanded = true;
    };
    EXPECT_EQ(m.Run(c.chosen, "C:\\VP", {false, false, true}), RunOutcome::Aborted) << c.expanding;
    EXPECT_TRUE(expanded);
    EXPECT_FALSE(m.platform.files.Exists(c.never)) << c.never;
    EXPECT_EQ(m.view.log.back(), "animation off");
    EXPECT_EQ(installtest::MachineState(m.platform), before);  // rolled back
    EXPECT_TRUE(m.platform.dialogs.AllAnswered());
  }
}

TEST(InstallationRun, AStopRequestedJustBeforeRegisteringRegistersNothing) {
  Machine m;
  m.platform.pump.onPump = [&] {
    if (m.view.log.back() == "info Rejestrowanie programów.") engine::StopRequested = true;
  };
  EXPECT_EQ(m.Run({false, false, false, true}, "C:\\VP", {false, false, false}),
            RunOutcome::Aborted);
  EXPECT_TRUE(m.platform.registry.writes.empty());
  EXPECT_EQ(m.view.log.back(), "animation off");
  EXPECT_TRUE(m.platform.dialogs.AllAnswered());
}
