#pragma once
// Real registry access with values put back, and a real platform whose dialogs a test answers.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/headless/scripted_dialogs.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace wintest {

using plat::win32::Wide;

class ScriptedWin32Platform : public plat::win32::Win32Platform {
 public:
  plat::headless::ScriptedDialogs dialogs;
  plat::Dialogs& Dlg() override { return dialogs; }
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

}  // namespace wintest
