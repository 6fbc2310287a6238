// Uninstall.exe's start: the log and the running-component check that the installer uses too,
// handed to the removal.
#include <memory>

#include "platform/platform.h"
#include "platform/program_main.h"
#include "startup/components.h"
#include "startup/quiet_reports.h"
#include "unattended/logging_platform.h"
#include "unattended/setup_log.h"
#include "uninstall/uninstaller.h"

namespace {

class SystemChecks : public uninstall::Checks {
 public:
  bool IsAnyComponentRunning() override { return startup::IsAnyComponentRunning(); }
};

}  // namespace

bool plat::SilentRemoval(const std::vector<std::string>& args) {
  return uninstall::ParseSwitches(args).mode != uninstall::Mode::Normal;
}

namespace {

uninstall::Outcome Uninstall(const std::vector<std::string>& args) {
  using uninstall::Outcome;
  const uninstall::Switches switches = uninstall::ParseSwitches(args);
  auto& platform = plat::Current();
  const bool silent = switches.mode != uninstall::Mode::Normal;
  auto log = std::make_unique<unattended::SetupLog>();
  if (switches.log || silent) {
    try {
      log = unattended::OpenLog(platform.Files(), switches.logFile, "Vortel PRO Uninstall");
    } catch (const plat::EFileError&) {
      if (!switches.logFile.empty()) return Outcome::BadCommandLine;
    }
  }
  log->Line("Deinstalator pakietu Vortel PRO 3.04");
  startup::QuietReports quiet(*log);
  SystemChecks checks;
  if (!log->Writing()) return uninstall::Remove(switches, checks, *log);
  unattended::LoggedDialogs dialogs(platform.Dlg(), *log);
  unattended::LoggingPlatform logging(platform, *log, dialogs);
  plat::CurrentScope current(logging);  // the uninstaller's platform
  const Outcome outcome = uninstall::Remove(switches, checks, *log);
  log->Line("Wynik: " + std::to_string(uninstall::ExitCodeOf(outcome)));
  return outcome;
}

}  // namespace

// The removal's outcome becomes the exit code here, and only here.
int plat::UninstallMain(const std::vector<std::string>& args) {
  return uninstall::ExitCodeOf(Uninstall(args));
}
