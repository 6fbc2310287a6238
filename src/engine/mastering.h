#pragma once
// Writing a distribution medium from the maker's build folders: Install.exe DISC [target]
// [kind], run in the emulator's build folder.
#include <string>
#include <vector>

#include "platform/platform.h"

namespace engine {

// Where the maker's build keeps the emulator's bitmap fonts (as .fon files).
constexpr const char* kFontBuildFolder = "C:\\NorvikSoft\\Build\\Fonts\\";

// `args` are the command-line words after the program name; args[0] is "DISC" in any case.
// Masters the whole medium. Returns the exit code: 0 when every file was written; 1 after the
// first failure, which is shown in one error message naming the file and the reason (what was
// written before it stays).
int MasterMedium(plat::Platform& platform, const std::vector<std::string>& args);

}  // namespace engine
