#pragma once
// Helpers shared by the tests that run against the real API under Wine.
#include <windows.h>

#include <string>

#include "platform/win32/wide.h"

namespace wintest {

// A fresh, empty folder under %TEMP% for one test; the caller owns its contents.
std::string MakeScratchFolder(const std::string& name);
// Folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

}  // namespace wintest
