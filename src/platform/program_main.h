#pragma once
// What the operating system's entry hands over to once it has the command line's words. The
// program's start-up layer defines it; the platform only calls it.
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

// `args` are the command-line words after the program name. Returns the process exit code.
int ProgramMain(const std::vector<std::string>& args);
// What only Uninstall.exe asks of the system, kept out of the installer: a copy of itself that
// finishes the removal after it has ended.
class TemporaryCopy {
 public:
  virtual ~TemporaryCopy() = default;
  // Starts a copy of this program, made in the temporary folder, with `arguments`; the system
  // removes the copy when the last process using it has ended. Not waited for. False when it
  // cannot be made or started.
  virtual bool Start(const std::string& arguments) = 0;
  virtual uint32_t CurrentId() = 0;
  // Waits until the process `id` has ended, or `milliseconds` have passed.
  virtual void WaitForEnd(uint32_t id, uint32_t milliseconds) = 0;
};

// The same for Uninstall.exe.
int UninstallMain(const std::vector<std::string>& args, TemporaryCopy& copy);

// The words of a Windows command line, the program's name first. Blanks and tabs part words
// outside quotation marks; a quotation mark groups and is dropped; a backslash is an ordinary
// character, so /DIR="C:\Program Files\X\" keeps its final backslash.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

}  // namespace plat
