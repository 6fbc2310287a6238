#pragma once
// Whether a program of the package is running: found by its hidden application window's title
// (or the batch client's main-form class), else by the executable file of a window's process.
#include <string>

#include "platform/desktop.h"

namespace startup {

bool IsAnyComponentRunning();
bool ComponentWindowTest(plat::WindowId window);
bool ComponentProcessTest(plat::WindowId window);
// The full path of the executable that owns the window, or empty.
std::string WindowExeName(plat::WindowId window);

}  // namespace startup
