#include "startup/entry.h"

#include <functional>
#include <memory>
#include <optional>

#include "engine/exit_codes.h"
#include "engine/medium.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/program_main.h"
#include "platform/text.h"
#include "startup/components.h"
#include "startup/inst_back.h"
#include "startup/quiet_reports.h"
#include "startup/res_meter.h"
#include "unattended/answers.h"
#include "unattended/command_line.h"
#include "unattended/logging_platform.h"
#include "unattended/setup_inf.h"
#include "unattended/silent_run.h"

namespace startup {

namespace {

class SystemChecks : public StartupChecks {
 public:
  bool CheckFreeResources(int minSystem, int minUser, int minGdi) override {
    return startup::CheckFreeResources(minSystem, minUser, minGdi);
  }
  std::string ResourceMeterText() override { return startup::ResourceMeterText(); }
  bool IsAnyComponentRunning() override { return startup::IsAnyComponentRunning(); }
};

void Refuse(const std::string& text) {
  plat::MessageDlg(text, plat::DlgType::Information, {plat::DlgButton::OK});
}

// The start-up checks in their order; a refusal goes to `refuse` and ends the program.
bool PassesChecks(StartupChecks& checks, bool checkComponents,
                  const std::function<void(const std::string&)>& refuse) {
  if (!checks.CheckFreeResources(6, 6, 4)) {
    refuse(
        "Instalator pakietu Vortel PRO\rBrak wystarczających zasobów systemowych do "
        "uruchomienia programu.\rProszę zamknąć część aplikacji i spróbować uruchomić "
        "program ponownie.\r\r" +
        checks.ResourceMeterText());
    return false;
  }
  plat::Current().Ui().SetTitle("Instalator pakietu Vor - tel PRO");
  if (checkComponents && checks.IsAnyComponentRunning()) {
    refuse(
        "Instalator wykrył, że są uruchomione niektóre komponenty\rpakietu Vortel PRO.\r"
        "Przed instalacją obecnej wersji należy je zakończyć.");
    return false;
  }
  return true;
}

// A signed program whose signature no longer holds was changed after signing, and its
// catalogue of the medium's digests with it: it vouches for nothing and installs nothing.
bool SignatureBroken() {
  auto& files = plat::Current().Files();
  const std::string self = files.ModulePath();
  return engine::Medium(files, std::string(), self).Signed() && !files.SignatureHolds(self);
}

constexpr char kSignatureBroken[] =
    "Instalator pakietu Vortel PRO\rPodpis cyfrowy programu instalacyjnego jest nieważny: "
    "plik został zmieniony po podpisaniu.\rInstalacja nie zostanie wykonana.";

// `masteringArgs`: the command line when it masters a medium, else empty. `ranWith`, when
// given, gets the choices the wizard's installation started with.
engine::RunOutcome RunWizard(const std::vector<std::string>& masteringArgs, sys::Questions& asked,
                             bool programGroup = true,
                             std::optional<engine::InstallChoices>* ranWith = nullptr) {
  auto& gui = plat::Current().Ui();
  TInstForm instForm(nullptr, "InstForm", masteringArgs);
  instForm.ProgramGroup = programGroup;
  instForm.Asked = &asked;
  gui.ShowForm(instForm);
  gui.RunMessageLoop();
  if (!instForm.InstalatorForm) return engine::RunOutcome::Aborted;
  if (ranWith) *ranWith = instForm.InstalatorForm->RanWith;
  return instForm.InstalatorForm->Outcome;
}

// The plain wizard, or mastering, with nothing logged: the messages shown as they are.
engine::RunOutcome RunWizard(const std::vector<std::string>& masteringArgs) {
  sys::RunLog nowhere;
  unattended::WizardQuestions asked(plat::Current().Dlg(), nowhere, {}, false);
  return RunWizard(masteringArgs, asked);
}

// Writes the choices a run started with into the /SAVEINF file made before it; a run that never
// started leaves no file. The run's own exit code stands either way: it is what happened.
void SaveInf(std::unique_ptr<plat::OutputFile> file, const std::string& path,
             const std::optional<engine::InstallChoices>& ranWith, unattended::SetupLog& log) {
  try {
    if (ranWith) {
      unattended::WriteTextFile(*file, unattended::FormatInf(*ranWith));
      log.Line("Zapisano ustawienia instalacji: " + path);
      return;
    }
    file->Discard();
  } catch (const plat::EFileError& e) {
    log.Error(std::string("Nie można zapisać pliku /SAVEINF: ") + e.what());
  }
}

std::string Joined(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& word : args) line += (line.empty() ? "" : " ") + word;
  return line;
}

// What an installation ends with when something unexpected escaped it: 6, the reason in the
// log, and a message box only where someone watches.
engine::RunOutcome Unexpected(const std::string& what, bool silent, unattended::SetupLog& log) {
  constexpr auto outcome = engine::RunOutcome::RegistrationFailed;
  log.Error(what);
  log.Line("Wynik: " + std::to_string(engine::ExitCodeOf(outcome)) + " (nieoczekiwany błąd)");
  if (!silent) plat::MessageDlg(what, plat::DlgType::Error, {plat::DlgButton::OK});
  return outcome;
}

// `body` under the installation's last guard.
template <class Body>
engine::RunOutcome Guarded(bool silent, unattended::SetupLog& log, Body body) {
  try {
    return body();
  } catch (const std::exception& e) {
    return Unexpected(e.what(), silent, log);
  } catch (...) {
    return Unexpected("Nieoczekiwany błąd programu.", silent, log);
  }
}

// The command line with switches once its log is open: the wizard with the log, or an
// installation without it.
engine::RunOutcome RunLogged(const std::vector<std::string>& args, unattended::Switches& switches,
                             unattended::SetupLog& log, StartupChecks& checks) {
  using engine::RunOutcome;
  using namespace unattended;
  const bool silent = switches.mode != Mode::Wizard;
  if (switches.help) {
    // Nobody could read a box in the silent modes; the log keeps the text instead.
    if (silent)
      log.Line(HelpText());
    else
      plat::MessageDlg(HelpText(), plat::DlgType::Information, {plat::DlgButton::OK});
    return RunOutcome::Installed;
  }
  auto& platform = plat::Current();
  // A file the administrator named that cannot be made ends the run before anything changes.
  const auto fileFault = [&](const std::string& text) {
    if (!silent) plat::MessageDlg(text, plat::DlgType::Error, {plat::DlgButton::OK});
    return RunOutcome::BadCommandLine;
  };
  if (switches.error.empty() && switches.loadInf) {
    try {
      const std::string inf = ReadTextFile(platform.Files(), *switches.loadInf);
      switches = ParseSwitches(args, &inf);
    } catch (const plat::EFileError& e) {
      switches.error = "Nie można odczytać pliku /LOADINF: " + std::string(e.what());
    }
  }
  if (!switches.error.empty()) {
    log.Error(switches.error);
    if (!silent)
      plat::MessageDlg(switches.error + "\r\r" + HelpText(), plat::DlgType::Error,
                       {plat::DlgButton::OK});
    return RunOutcome::BadCommandLine;
  }
  const auto refuse = [&](const std::string& text) {
    log.Error(text);
    if (!silent) Refuse(text);
  };
  if (!PassesChecks(checks, true, refuse)) {
    log.Line("Wynik: 2 (odmowa uruchomienia)");
    return RunOutcome::Refused;
  }
  if (SignatureBroken()) {
    log.Error(kSignatureBroken);
    if (!silent) plat::MessageDlg(kSignatureBroken, plat::DlgType::Error, {plat::DlgButton::OK});
    log.Line("Wynik: 4 (błąd kopiowania pliku)");
    return engine::RunOutcome::CopyFailed;
  }
  // Made before the run, so a file that cannot be written stops it before anything changes.
  std::unique_ptr<plat::OutputFile> inf;
  if (switches.saveInf) {
    try {
      inf = platform.Files().Create(*switches.saveInf);
    } catch (const plat::EFileError& e) {
      const std::string fault = std::string("Nie można utworzyć pliku /SAVEINF: ") + e.what();
      log.Error(fault);
      return fileFault(fault);
    }
  }
  QuietReports quiet(log);
  RunOutcome outcome;
  std::optional<engine::InstallChoices> ranWith;
  if (silent) {
    RefusingDialogs refusing(log);
    LoggingPlatform logging(platform, log, refusing);
    plat::CurrentScope current(logging);  // where a message box the run must not show would go
    outcome = RunUnattended(logging, switches, log, ranWith);
  } else {
    LoggedDialogs dialogs(platform.Dlg(), log);
    LoggingPlatform logging(platform, log, dialogs);
    plat::CurrentScope current(logging);  // the wizard's platform
    WizardQuestions asked(dialogs, log, switches.answers, switches.suppressMsgBoxes);
    outcome = RunWizard({}, asked, !switches.noIcons, &ranWith);
    if (ranWith) ranWith->answers = asked.Given();
    log.Line("Wynik: " + std::to_string(engine::ExitCodeOf(outcome)));
  }
  if (inf) SaveInf(std::move(inf), *switches.saveInf, ranWith, log);
  return outcome;
}

// A command line with switches: its log first (a log named by /LOG that cannot be made ends the
// run with 1 before anything changes), then the run under the last guard.
engine::RunOutcome RunWithSwitches(const std::vector<std::string>& args, StartupChecks& checks) {
  using namespace unattended;
  Switches switches = ParseSwitches(args);
  const bool silent = switches.mode != Mode::Wizard;
  auto& platform = plat::Current();
  std::unique_ptr<SetupLog> log = std::make_unique<SetupLog>();
  if (switches.log || silent) {
    try {
      log = OpenLog(platform.Files(), switches.logFile, "Vortel PRO Setup");
    } catch (const plat::EFileError& e) {
      // Only a log the administrator named is worth stopping for; the default one is a help.
      if (!switches.logFile.empty()) {
        const std::string fault =
            std::string("Nie można utworzyć dziennika instalacji: ") + e.what();
        if (!silent) plat::MessageDlg(fault, plat::DlgType::Error, {plat::DlgButton::OK});
        return engine::RunOutcome::BadCommandLine;
      }
    }
  }
  log->Line("Instalator pakietu Vortel PRO 3.04");
  log->Line("Wiersz poleceń: " + Joined(args));
  return Guarded(silent, *log, [&] { return RunLogged(args, switches, *log, checks); });
}

}  // namespace

EntryDecision DecideEntry(const std::vector<std::string>& args) {
  if (!args.empty() && plat::InvariantUpper(args[0]) == "DISC")
    return {EntryMode::Mastering, args[0] != "DISC"};
  if (!args.empty() && plat::InvariantUpper(args[0]) == "BUNDLE")
    return {EntryMode::Mastering, args[0] != "BUNDLE"};
  for (const std::string& word : args)
    if (!word.empty() && word[0] == '/') return {EntryMode::Switches, true};
  return {EntryMode::Wizard, true};
}

// Every mode's outcome becomes the exit code here, and only here.
int ProgramMain(const std::vector<std::string>& args, StartupChecks& checks) {
  const EntryDecision entry = DecideEntry(args);
  const auto checked = [&](const std::vector<std::string>& masteringArgs) {
    return PassesChecks(checks, entry.checkComponents, Refuse) ? RunWizard(masteringArgs)
                                                               : engine::RunOutcome::Refused;
  };
  unattended::SetupLog nothing;
  const auto wizard = [&] {
    if (!PassesChecks(checks, entry.checkComponents, Refuse)) return engine::RunOutcome::Refused;
    if (!SignatureBroken()) return RunWizard({});
    plat::MessageDlg(kSignatureBroken, plat::DlgType::Error, {plat::DlgButton::OK});
    return engine::RunOutcome::CopyFailed;
  };
  // Mastering says what failed in its own message, and ends with 1.
  const engine::RunOutcome outcome =
      entry.mode == EntryMode::Switches    ? RunWithSwitches(args, checks)
      : entry.mode == EntryMode::Mastering ? checked(args)
                                           : Guarded(false, nothing, wizard);
  return engine::ExitCodeOf(outcome);
}

}  // namespace startup

bool plat::SilentSetup(const std::vector<std::string>& args) {
  return unattended::ParseSwitches(args).mode != unattended::Mode::Wizard;
}

int plat::ProgramMain(const std::vector<std::string>& args) {
  startup::SystemChecks checks;
  return startup::ProgramMain(args, checks);
}
