#pragma once
#include <string>
#include <vector>

namespace startup {

// The two reasons to refuse to start, asked before anything is shown.
class StartupChecks {
 public:
  virtual ~StartupChecks() = default;
  virtual bool CheckFreeResources(int minSystem, int minUser, int minGdi) = 0;
  virtual std::string ResourceMeterText() = 0;
  virtual bool IsAnyComponentRunning() = 0;
};

// What the command line asks for. Decided here once: the first word "DISC" (in any letter
// case) masters a medium, "BUNDLE" makes one setup file of a medium (both the mastering mode);
// otherwise any word starting with "/" makes it a command line with switches; otherwise it is
// the wizard.
enum class EntryMode { Wizard, Mastering, Switches };
struct EntryDecision {
  EntryMode mode;
  // Only the exact word "DISC" or "BUNDLE" skips the running-component check.
  bool checkComponents;
};
EntryDecision DecideEntry(const std::vector<std::string>& args);

// The body of the program after the platform is up (plat::ProgramMain with the system's
// checks): the start-up checks, then the background window with the wizard (or the mastering
// mode), or the run the switches ask for. Returns the process exit code.
int ProgramMain(const std::vector<std::string>& args, StartupChecks& checks);

}  // namespace startup
