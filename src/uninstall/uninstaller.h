#pragma once
// Uninstall.exe: removes the package by undoing its installation journal, from the last change
// to the first. It runs from the main folder it removes; since a running program cannot delete
// its own file, a copy of it in the temporary folder finishes the work once it has ended.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/program_main.h"

namespace uninstall {

enum class Mode { Normal, Silent, VerySilent };

struct Switches {
  Mode mode = Mode::Normal;
  bool log = false;      // /LOG, with or without a file
  std::string logFile;   // empty: the default file
  std::string cleanup;   // /CLEANUP="folder": the copy's part, for that main folder
  uint32_t waitFor = 0;  // /WAIT=id: the process that must end first
  std::string error;     // the first fault of the command line; empty when it is valid
};

// The words after the program's name; "/uninstall" is what the Uninstall entry passes.
Switches ParseSwitches(const std::vector<std::string>& args);

class Checks {
 public:
  virtual ~Checks() = default;
  virtual bool IsAnyComponentRunning() = 0;
};

enum ExitStatus {
  kRemoved = 0,
  kBadCommandLine = 1,
  kRefused = 2,
  kCancelled = 5,
  kNotAllRemoved = 6,
};

// The removal, asked for once unless silent; the log is engine::Log(). Returns the exit code.
int Remove(const Switches& switches, Checks& checks, plat::TemporaryCopy& copy);
// The temporary copy's part: after the process `waitFor` has ended, what was left for it (the
// uninstaller's own file, the journal, the folders that are empty now).
int FinishRemoval(const Switches& switches, plat::TemporaryCopy& copy);

}  // namespace uninstall
