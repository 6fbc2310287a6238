#pragma once
// Helpers for the tests of the registration code against the real registry and shell: raw
// registry access that does not go through the code under test, values put back as they were,
// and a real platform whose dialogs a test answers.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/headless/scripted_dialogs.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace wintest {

// The real registry and shell, with scripted dialogs, installed for the object's lifetime.
class ScriptedWin32Platform : public plat::win32::Win32Platform {
 public:
  plat::headless::ScriptedDialogs dialogs;
  plat::Dialogs& Dlg() override { return dialogs; }
};

// Names in a folder, sorted, through the API's own enumeration, so a leftover temporary file
// shows; empty for a folder that does not exist.
inline std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE h = FindFirstFileW(plat::win32::Wide(folder + "\\*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = plat::win32::Narrow(found.cFileName);
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileW(h, &found));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

// A string value as the registry holds it; `type` receives its type (0 when missing).
inline std::string RawValue(HKEY root, const std::string& key, const std::string& name,
                            DWORD* type = nullptr) {
  DWORD kind = 0;
  DWORD size = 0;
  const plat::win32::WString subKey = plat::win32::Wide(key);
  const plat::win32::WString value = plat::win32::Wide(name);
  if (type) *type = 0;
  if (RegGetValueW(root, subKey.c_str(), value.c_str(), RRF_RT_ANY, &kind, nullptr, &size) !=
      ERROR_SUCCESS)
    return std::string();
  if (type) *type = kind;
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(root, subKey.c_str(), value.c_str(), RRF_RT_ANY, &kind, data.data(), &size) !=
      ERROR_SUCCESS)
    return std::string();
  return kind == REG_SZ ? plat::win32::Narrow(data.data()) : std::string();
}

inline bool RawKeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, plat::win32::Wide(key).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegCloseKey(opened);
  return true;
}

inline void RawSet(HKEY root, const std::string& key, const std::string& name,
                   const std::string& value) {
  HKEY opened = nullptr;
  RegCreateKeyExW(root, plat::win32::Wide(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &opened, nullptr);
  const plat::win32::WString data = plat::win32::Wide(value);
  RegSetValueExW(opened, plat::win32::Wide(name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(opened);
}

inline void RawDeleteTree(HKEY root, const std::string& key) {
  RegDeleteTreeW(root, plat::win32::Wide(key).c_str());
  RegDeleteKeyW(root, plat::win32::Wide(key).c_str());
}

// Sets (or, with `remove`, deletes) one value and puts the old state back at the end.
class ValueOverride {
 public:
  ValueOverride(HKEY root, std::string key, std::string name, const std::string& value,
                bool remove = false)
      : root_(root), key_(std::move(key)), name_(std::move(name)) {
    DWORD type = 0;
    old_ = RawValue(root_, key_, name_, &type);
    existed_ = type != 0;
    if (remove) {
      RegDeleteKeyValueW(root_, plat::win32::Wide(key_).c_str(), plat::win32::Wide(name_).c_str());
    } else {
      RawSet(root_, key_, name_, value);
    }
  }
  ~ValueOverride() {
    if (existed_) {
      RawSet(root_, key_, name_, old_);
    } else {
      RegDeleteKeyValueW(root_, plat::win32::Wide(key_).c_str(), plat::win32::Wide(name_).c_str());
    }
  }
  ValueOverride(const ValueOverride&) = delete;
  ValueOverride& operator=(const ValueOverride&) = delete;

 private:
  HKEY root_;
  std::string key_;
  std::string name_;
  std::string old_;
  bool existed_ = false;
};

// A shell folder redirected (or, with `remove`, made unknown) in both keys the shell keeps
// it in, and put back afterwards: the shell rewrites "Shell Folders" from "User Shell Folders"
// whenever it looks a folder up itself (Wine's link object does while it saves).
class ShellFolderOverride {
 public:
  ShellFolderOverride(HKEY root, const std::string& name, const std::string& folder,
                      bool remove = false)
      : userShellFolders_(root, kUserShellFoldersKey, name, folder, remove),
        shellFolders_(root, kShellFoldersKey, name, folder, remove) {}

 private:
  static constexpr char kShellFoldersKey[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  static constexpr char kUserShellFoldersKey[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  // The source first: whoever rewrites "Shell Folders" from it in between finds the new value.
  ValueOverride userShellFolders_;
  ValueOverride shellFolders_;
};

}  // namespace wintest
