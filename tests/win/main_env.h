#pragma once
#include <windows.h>

#include <process.h>

#include <cwchar>
#include <gtest/gtest.h>
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

// A Unix symbolic link, as a planter would make it: Wine shows it to programs as its target.
inline void PlantLink(const std::string& target, const std::string& link) {
  using UnixName = char*(CDECL*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  ASSERT_TRUE(unixName) << "not running under Wine";
  const std::string from = "\"" + std::string(unixName(plat::win32::Wide(target).c_str())) + "\"";
  const std::string at = "\"" + std::string(unixName(plat::win32::Wide(link).c_str())) + "\"";
  _spawnl(_P_WAIT, "Z:\\bin\\ln", "ln", "-sf", from.c_str(), at.c_str(), nullptr);
  // Wine's spawn does not wait for a Unix program: wait until the link reads as its target.
  for (int i = 0; i < 1000; ++i, Sleep(10))
    if (GetFileAttributesW(plat::win32::Wide(link).c_str()) != INVALID_FILE_ATTRIBUTES &&
        Slurp(link) == Slurp(target))
      return;
  FAIL() << "no link planted at " << link;
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
