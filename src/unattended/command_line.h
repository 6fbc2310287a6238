#pragma once
// The administrators' switches: how the command line is cut into words and what each switch
// means. Parsed in this one place; everything after it works on Switches.
#include <optional>
#include <string>
#include <vector>

#include "engine/choices.h"

namespace unattended {

enum class Mode { Wizard, Silent, VerySilent };

struct Switches {
  bool help = false;
  Mode mode = Mode::Wizard;
  std::optional<std::string> mainFolder;                       // /DIR
  std::optional<std::string> emulator, ftpClients, ftpServer;  // /DIR0, /DIR1, /DIR3
  std::optional<engine::ProductChoice> components;
  std::optional<std::vector<int>> tasks;  // indices into engine::Options
  engine::Answers answers;                // /OVERWRITE, /ASSOCIATE
  bool log = false;                       // /LOG, with or without a file
  std::string logFile;                    // empty: the default file
  std::string error;  // the first fault of the command line; empty when it is valid
};

// The words after the program's name. Later values of a repeated switch replace earlier ones.
Switches ParseSwitches(const std::vector<std::string>& args);
// A product's name in /COMPONENTS ("vortel", "ftpclient", "ftpbatch", "ftpserver").
const char* ComponentName(int product);
// The switches in brief, for /? and /HELP.
std::string HelpText();

}  // namespace unattended
