#pragma once
// What the operating system's entry hands over to once it has the command line's words. The
// program's start-up layer defines it; the platform only calls it.
#include <string>
#include <vector>

namespace plat {

// `args` are the command-line words after the program name. Returns the process exit code.
int ProgramMain(const std::vector<std::string>& args);
// The same for Uninstall.exe.
int UninstallMain(const std::vector<std::string>& args);

// Whether the command line asks Install.exe, or Uninstall.exe, for a silent mode. The entry asks
// before anything else: then no failure shows a box, not even one that reaches the platform's
// last guards (the entry's, a window procedure's), since a deployment running as SYSTEM has no
// desktop to show it on and would wait for ever; it goes to ReportQuietly, and the entry ends
// with 6.
bool SilentSetup(const std::vector<std::string>& args);
bool SilentRemoval(const std::vector<std::string>& args);
// Where such a failure goes: the run's log, while one is open.
void ReportQuietly(const std::string& what);

// The words of a Windows command line, the program's name first. Blanks and tabs part words
// outside quotation marks; a quotation mark groups and is dropped; a backslash is an ordinary
// character, so /DIR="C:\Program Files\X\" keeps its final backslash.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace plat
