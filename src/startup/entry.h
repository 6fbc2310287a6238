#pragma once
#include <string>
#include <vector>

namespace startup {

// The body of the program after the platform is up: the start-up checks, then the wizard or
// the mastering mode. `args` are the command-line words after the program name. Returns the
// process exit code.
int ProgramMain(const std::vector<std::string>& args);

}  // namespace startup
