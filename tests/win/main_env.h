#pragma once
// Folders shared by the tests that run against the real API under Wine.
#include <windows.h>

#include <cwchar>
#include <string>

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

// A file's whole contents through the platform's own file API, and a file made of `data`.
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

struct WindowQuery {
  const wchar_t* cls;
  HWND found = nullptr;
};

inline BOOL CALLBACK MatchWindow(HWND w, LPARAM p) {
  auto* q = reinterpret_cast<WindowQuery*>(p);
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  if (wcscmp(cls, q->cls) == 0 && IsWindowVisible(w)) q->found = w;
  return !q->found;
}

// Waits up to 30 s for a shown window of class `cls` of the thread `thread`; null when none came.
inline HWND WaitForWindow(const wchar_t* cls, DWORD thread) {
  WindowQuery query{cls};
  for (DWORD start = GetTickCount(); !query.found && GetTickCount() - start < 30000; Sleep(10))
    EnumThreadWindows(thread, MatchWindow, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

}  // namespace wintest
