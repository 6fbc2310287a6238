#pragma once
// The administrators' switches: how the command line is cut into words and what each switch
// means. Parsed in this one place; everything after it works on Switches.
#include <optional>
#include <string>
#include <vector>

#include "engine/configuration.h"

namespace unattended {

// The words of a Windows command line, the program's name first. Blanks and tabs part words
// outside quotation marks; a quotation mark groups and is dropped; a backslash is an ordinary
// character, so /DIR="C:\Program Files\X\" keeps its final backslash.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

enum class Mode { Wizard, Silent, VerySilent };

struct Switches {
  bool help = false;
  Mode mode = Mode::Wizard;
  std::optional<std::string> mainFolder;                       // /DIR
  std::optional<std::string> emulator, ftpClients, ftpServer;  // /DIR0, /DIR1, /DIR3
  std::optional<engine::ProductChoice> components;
  std::optional<std::vector<int>> tasks;  // indices into engine::Options
  bool overwriteAll = true;
  bool associate = true;
  bool log = false;     // /LOG, with or without a file
  std::string logFile;  // empty: the default file
  std::string error;    // the first fault of the command line; empty when it is valid
};

// Whether the words ask for anything but the wizard's old behaviour: some word is a switch
// and the first word is not "DISC" (in any letter case), which keeps the mastering mode.
bool HasSwitches(const std::vector<std::string>& args);
// The words after the program's name. Later values of a repeated switch replace earlier ones.
Switches ParseSwitches(const std::vector<std::string>& args);
// A product's name in /COMPONENTS ("vortel", "ftpclient", "ftpbatch", "ftpserver").
const char* ComponentName(int product);
// The switches in brief, for /? and /HELP.
std::string HelpText();

}  // namespace unattended
