#pragma once
// Recorded per watched process: windows shown, captions, progress positions (-1: bar out of sight).
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
