// What the platform's last guards ask before anything runs: whether to keep failures out of
// boxes, and where to put them instead.
#include "engine/run_log.h"
#include "platform/program_main.h"
#include "unattended/command_line.h"
#include "uninstall/uninstaller.h"

bool plat::SilentSetup(const std::vector<std::string>& args) {
  return unattended::ParseSwitches(args).mode != unattended::Mode::Wizard;
}

bool plat::SilentRemoval(const std::vector<std::string>& args) {
  return uninstall::ParseSwitches(args).mode != uninstall::Mode::Normal;
}

void plat::ReportQuietly(const std::string& what) {
  engine::Log().Note(what, true);
}
