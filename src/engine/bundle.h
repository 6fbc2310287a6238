#pragma once
// One setup file: Install.exe BUNDLE <medium folder> <file.exe> writes the medium's Install.exe
// with every file of the medium inside, so it installs from wherever it is copied to.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace engine {

// `args` are the command-line words after the program name; args[0] is "BUNDLE" in any case.
// Reads the medium's files once each and writes them only when the medium's catalogue vouches
// for them. Returns 0, or 1 after the failure is shown in one error message (no file is left
// under the setup file's name then).
int BundleMedium(plat::Platform& platform, const std::vector<std::string>& args);

}  // namespace engine
