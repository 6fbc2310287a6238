#pragma once
// What the window watch DLL records inside a watched process, in a shared section named after
// that process: every window it shows, and the captions of the top-level ones.
#include <windows.h>

#include <string>

namespace e2e {

struct WindowLog {
  LONG shown;
  LONG captions;
  wchar_t caption[16][128];
};

inline std::wstring WindowLogName(DWORD pid) {
  return L"Local\\vortel-window-log-" + std::to_wstring(pid);
}

}  // namespace e2e
