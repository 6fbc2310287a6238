#pragma once
// What the window watch DLL records inside a watched process, in a shared section named after
// that process: every window it shows, the captions of the top-level ones, and every position
// given to a progress bar (-1 for one given while the bar could not be seen).
#include <windows.h>

#include <string>

namespace e2e {

struct WindowLog {
  LONG shown;
  LONG captions;
  wchar_t caption[16][128];
  LONG positions;
  LONG position[256];
};

inline std::wstring WindowLogName(DWORD pid) {
  return L"Local\\vortel-window-log-" + std::to_wstring(pid);
}

}  // namespace e2e
