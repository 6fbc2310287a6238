#pragma once
// Every window that realises a named component answers the registered message
// "WM_GETCONTROLNAME" with that name, as WinForms does for UI-automation tools: wParam is the
// buffer size in characters, lParam a UTF-16 buffer in this process; the answer is the number
// of characters copied (cut to fit, zero-terminated). Tests and automation find controls this
// way without coordinates.
#include <windows.h>

#include <string>

#include "platform/win32/wide.h"

namespace plat::win32 {

UINT ControlNameMessage();
// Makes `window` answer with `name`, for windows of classes we do not own (buttons, edits...).
// The name lives as long as the window.
void AttachControlName(HWND window, const std::string& name);
// The answer itself, for window procedures of our own classes.
LRESULT AnswerControlName(const WString& name, WPARAM size, LPARAM buffer);

}  // namespace plat::win32
