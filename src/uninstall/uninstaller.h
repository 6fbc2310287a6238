#pragma once
// Uninstall.exe: removes the package by undoing its installation journal, from the last change
// to the first. It runs elevated, so it obeys only a journal that no one else can have written,
// and only as far as every line stays within the package. What it cannot remove while it runs
// (its own file, the folders holding it) goes when Windows next starts.
#include <string>
#include <vector>

#include "system/questions.h"

namespace uninstall {

enum class Mode { Normal, Silent, VerySilent };

struct Switches {
  Mode mode = Mode::Normal;
  bool log = false;     // /LOG, with or without a file
  std::string logFile;  // empty: the default file
  std::string error;    // the first fault of the command line; empty when it is valid
};

// The words after the program's name; "/uninstall" is what the Uninstall entry passes.
Switches ParseSwitches(const std::vector<std::string>& args);

class Checks {
 public:
  virtual ~Checks() = default;
  virtual bool IsAnyComponentRunning() = 0;
};

// What Uninstall.exe ends with; its exit code is the entry's business (ExitCodeOf).
enum class Outcome {
  Removed,         // what the user made is kept and named
  BadCommandLine,  // also a log named on it that cannot be made
  Refused,         // a program of the package is running
  Cancelled,       // at the question
  NotAllRemoved,   // or the journal may not be obeyed, and nothing was touched
};
int ExitCodeOf(Outcome outcome);

// The removal, asked for once unless silent, each step in `log`.
Outcome Remove(const Switches& switches, Checks& checks, sys::RunLog& log);

}  // namespace uninstall
