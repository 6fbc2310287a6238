#pragma once
// Real registry access with values put back, and a real platform whose dialogs a test answers.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/headless/scripted_dialogs.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "unattended/answers.h"

namespace wintest {

using plat::win32::Wide;

class ScriptedWin32Platform : public plat::win32::Win32Platform {
 public:
  plat::headless::ScriptedDialogs dialogs;
  plat::Dialogs& Dlg() override { return dialogs; }
  // The wizard's questions over `dialogs`, with nothing logged.
  sys::RunLog nowhere;
  unattended::WizardQuestions asked{dialogs, nowhere, {}, false};
};

// A string value as the registry holds it; `type` receives its type (0 when missing).
inline std::string RawValue(HKEY root, const std::string& key, const std::string& name,
                            DWORD* type = nullptr) {
  DWORD kind = 0, size = 0;
  std::vector<wchar_t> data(1024, L'\0');
  size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
  const bool found = RegGetValueW(root, Wide(key).c_str(), Wide(name).c_str(), RRF_RT_ANY, &kind,
                                  data.data(), &size) == ERROR_SUCCESS;
  if (type) *type = found ? kind : 0;
  return found && kind == REG_SZ ? plat::win32::Narrow(data.data()) : std::string();
}

inline bool RawKeyExists(HKEY root, const std::string& key) {
  plat::win32::UniqueKey opened;
  return RegOpenKeyExW(root, Wide(key).c_str(), 0, KEY_READ, opened.Put()) == ERROR_SUCCESS;
}

inline void RawSet(HKEY root, const std::string& key, const std::string& name,
                   const std::string& value) {
  const plat::win32::WString data = Wide(value);
  RegSetKeyValueW(root, Wide(key).c_str(), Wide(name).c_str(), REG_SZ, data.c_str(),
                  static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

inline void RawDeleteTree(HKEY root, const std::string& key) {
  RegDeleteTreeW(root, Wide(key).c_str());
  RegDeleteKeyW(root, Wide(key).c_str());
}

// A shell folder redirected in both keys, then put back. The shell rewrites "Shell Folders" from
// "User Shell Folders" on its lookups (as Wine's link object does on save): the source goes first.
class ShellFolderOverride {
 public:
  ShellFolderOverride(HKEY root, const std::string& name, const std::string& folder)
      : root_(root), name_(name) {
    for (int i = 0; i < 2; ++i) {
      old_[i] = RawValue(root_, kKeys[i], name_, &type_[i]);
      RawSet(root_, kKeys[i], name_, folder);
    }
  }
  ~ShellFolderOverride() {
    for (int i = 1; i >= 0; --i)
      if (type_[i] != 0)
        RawSet(root_, kKeys[i], name_, old_[i]);
      else
        RegDeleteKeyValueW(root_, Wide(kKeys[i]).c_str(), Wide(name_).c_str());
  }
  ShellFolderOverride(const ShellFolderOverride&) = delete;
  ShellFolderOverride& operator=(const ShellFolderOverride&) = delete;

 private:
  inline static const std::string kKeys[2] = {
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  HKEY root_;
  std::string name_, old_[2];
  DWORD type_[2] = {};
};

}  // namespace wintest
