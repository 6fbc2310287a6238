#pragma once
#include <windows.h>

#include <cwchar>
#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/win32/wide.h"

namespace wintest {

// A fresh folder under %TEMP% for one test; the caller owns its contents.
inline std::string MakeScratchFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::string folder = plat::win32::Narrow(temp) + "vortel-test-" +
                             std::to_string(GetCurrentProcessId()) + "-" + name;
  CreateDirectoryW(plat::win32::Wide(folder).c_str(), nullptr);
  return folder;
}

inline std::string Slurp(const std::string& path) {
  auto in = plat::Current().Files().OpenRead(path);
  std::string data;
  char buffer[65536];
  while (size_t n = in->Read(buffer, sizeof buffer)) data.append(buffer, n);
  return data;
}
inline void Spill(const std::string& path, const std::string& data) {
  auto out = plat::Current().Files().Create(path);
  out->Write(data.data(), data.size());
  out->Close();
}

// Folder of the running test program, with a trailing backslash.
inline std::string ProgramFolder() {
  wchar_t path[MAX_PATH];
  const std::string s = plat::win32::Narrow(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return s.substr(0, s.rfind('\\') + 1);
}

// A callback of the system's own calling convention, which a lambda does not have on 32 bits.
inline BOOL CALLBACK MatchShownWindow(HWND w, LPARAM p) {
  auto* q = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(p);
  wchar_t name[64] = {};
  GetClassNameW(w, name, 64);
  if (wcscmp(name, q->first) == 0 && IsWindowVisible(w)) q->second = w;
  return !q->second;
}

// Waits up to 30 s for a shown window of class `cls` of the thread `thread`; null when none came.
inline HWND WaitForWindow(const wchar_t* cls, DWORD thread) {
  std::pair<const wchar_t*, HWND> query{cls, nullptr};
  for (DWORD start = GetTickCount(); !query.second && GetTickCount() - start < 30000; Sleep(10))
    EnumThreadWindows(thread, MatchShownWindow, reinterpret_cast<LPARAM>(&query));
  return query.second;
}

}  // namespace wintest
