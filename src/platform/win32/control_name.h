#pragma once
// Every window that realises a named component answers the registered message
// "WM_GETCONTROLNAME" with a global atom holding that name (read with GlobalGetAtomNameW), so
// that tests and automation find controls without coordinates. WinForms answers the same
// message by copying the name into a buffer the sender names; an elevated program must not
// write to memory another process chooses, so this one only hands out the atom, which lives as
// long as the window.
#include <windows.h>

#include <string>

namespace plat::win32 {

UINT ControlNameMessage();
// Makes `window` answer with `name`, whatever its class.
void AttachControlName(HWND window, const std::string& name);

}  // namespace plat::win32
