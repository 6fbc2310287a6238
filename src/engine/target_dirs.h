#pragma once
#include <array>
#include <string>

namespace engine {

// The installation's folders, each ending in "\": 0 the package's main folder, 1 the terminal
// emulator, 2 the FTP client and the batch FTP client, 3 the FTP server. Filled at the start of
// a run and read by every step after it.
extern std::array<std::string, 4> TargetDirs;

}  // namespace engine
