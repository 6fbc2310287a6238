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

// The body of the program after the platform is up: the start-up checks, then the background
// window with the wizard (or the mastering mode). `args` are the command-line words after the
// program name. Returns the process exit code.
int ProgramMain(const std::vector<std::string>& args);
int ProgramMain(const std::vector<std::string>& args, StartupChecks& checks);

}  // namespace startup
