#pragma once
// The administrators' switches: how the command line is cut into words and what each switch
// means. Parsed in this one place; everything after it works on Switches.
#include <array>
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
  std::optional<std::vector<int>> tasks;        // indices into engine::Options
  engine::Answers answers;                      // /OVERWRITE, /ASSOCIATE
  bool noIcons = false;                         // /NOICONS
  bool suppressMsgBoxes = false;                // /SUPPRESSMSGBOXES
  bool log = false;                             // /LOG, with or without a file
  std::string logFile;                          // empty: the default file
  std::optional<std::string> loadInf, saveInf;  // /LOADINF, /SAVEINF
  std::string error;  // the first fault of the command line; empty when it is valid
};

// Every switch the program knows, in the order /? lists them: one table for the parser, the
// help and the package manifest's test.
enum class SwitchValue { None, Optional, Required };
struct SwitchInfo {
  const char* name;  // upper case, without the "/"
  SwitchValue value;
  const char* help;  // its line in /?, with its value's form; empty: named on another line
};
extern const std::array<SwitchInfo, 22> SwitchTable;

// The words after the program's name. Later values of a repeated switch replace earlier ones.
// `inf`: the text of the /LOADINF file, whose settings come first, so the command line wins.
Switches ParseSwitches(const std::vector<std::string>& args, const std::string* inf = nullptr);
// A product's name in /COMPONENTS ("vortel", "ftpclient", "ftpbatch", "ftpserver").
const char* ComponentName(int product);
// The switches in brief, for /? and /HELP.
std::string HelpText();

}  // namespace unattended
