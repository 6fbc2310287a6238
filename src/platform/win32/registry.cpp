#include "platform/win32/registry.h"

#include <windows.h>

#include <utility>
#include <vector>

#include "platform/errors.h"
#include "platform/win32/handles.h"
#include "platform/win32/wide.h"

namespace plat::win32 {
namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
  }
  return HKEY_CURRENT_USER;
}

// Paths are always taken from the root, with or without a leading backslash; a trailing one
// (as in the maker's own key, "Software\Norvik-Soft\") names the same key.
WString SubKey(const std::string& keyPath) {
  std::string rest = keyPath;
  if (!rest.empty() && rest.front() == '\\') rest.erase(0, 1);
  if (!rest.empty() && rest.back() == '\\') rest.pop_back();
  return Wide(rest);
}

class Win32Accessor : public RegistryAccessor {
 public:
  bool OpenKey(const std::string& keyPath, bool create) override {
    CloseKey();
    const REGSAM sam = access_ == RegAccess::Read ? KEY_READ : KEY_ALL_ACCESS;
    const WString subKey = SubKey(keyPath);
    UniqueKey key;
    const LONG rc = create
                        ? RegCreateKeyExW(RootKey(root_), subKey.c_str(), 0, nullptr,
                                          REG_OPTION_NON_VOLATILE, sam, nullptr, key.Put(), nullptr)
                        : RegOpenKeyExW(RootKey(root_), subKey.c_str(), 0, sam, key.Put());
    if (rc != ERROR_SUCCESS) {
      openError_ = static_cast<uint32_t>(rc);
      return false;
    }
    key_ = std::move(key);
    path_ = keyPath;
    return true;
  }

  void CloseKey() override { key_.Reset(); }
  bool HasOpenKey() const override { return key_.Valid(); }
  uint32_t OpenError() const override { return openError_; }

  std::string ReadString(const std::string& name) override {
    if (!key_.Valid()) throw plat::Error("registry read with no key open");
    const WString valueName = Wide(name);
    for (;;) {
      DWORD type = 0;
      DWORD size = 0;
      LONG rc = RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
      if (rc == ERROR_FILE_NOT_FOUND || (rc == ERROR_SUCCESS && !IsText(type)))
        return std::string();
      if (rc != ERROR_SUCCESS) throw ReadError(name, rc);
      // One spare character, since a stored string need not end in a zero.
      std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
      DWORD got = size;
      rc = RegQueryValueExW(key_.Get(), valueName.c_str(), nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &got);
      if (rc == ERROR_MORE_DATA) continue;  // the value grew in between; ask again
      if (rc == ERROR_FILE_NOT_FOUND || (rc == ERROR_SUCCESS && !IsText(type)))
        return std::string();
      if (rc != ERROR_SUCCESS) throw ReadError(name, rc);
      return Narrow(data.data(), wcsnlen(data.data(), got / sizeof(wchar_t)));
    }
  }

  RegValue ReadValue(const std::string& name) override {
    if (!key_.Valid()) throw plat::Error("registry read with no key open");
    RegValue value;
    DWORD type = 0;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LONG rc = RegQueryValueExW(key_.Get(), Wide(name).c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(&number), &size);
    if (rc == ERROR_FILE_NOT_FOUND) return value;
    if (rc == ERROR_SUCCESS && type == REG_DWORD) {
      value.kind = RegValue::Kind::Number;
      value.number = number;
      return value;
    }
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA) throw ReadError(name, rc);
    // Nothing of ours writes another type, so nothing of ours could restore one.
    if (!IsText(type)) throw ReadError(name, ERROR_INVALID_DATATYPE);
    value.kind = type == REG_EXPAND_SZ ? RegValue::Kind::ExpandString : RegValue::Kind::String;
    value.text = ReadString(name);
    return value;
  }

  void WriteNumber(const std::string& name, uint32_t value) override {
    if (!key_.Valid()) throw plat::Error("registry write with no key open");
    const DWORD data = value;
    const LONG rc = RegSetValueExW(key_.Get(), Wide(name).c_str(), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&data), sizeof data);
    if (rc != ERROR_SUCCESS)
      throw ERegistryException(RegistryWriteError(root_, path_, name, static_cast<uint32_t>(rc)));
  }

  bool DeleteValue(const std::string& name) override {
    if (!key_.Valid()) throw plat::Error("registry write with no key open");
    const LONG rc = RegDeleteValueW(key_.Get(), Wide(name).c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
  }

  bool DeleteEmptyKey(const std::string& keyPath) override {
    CloseKey();
    const WString subKey = SubKey(keyPath);
    HKEY key = nullptr;
    LONG rc = RegOpenKeyExW(RootKey(root_), subKey.c_str(), 0, KEY_READ, &key);
    if (rc == ERROR_FILE_NOT_FOUND) return true;
    if (rc != ERROR_SUCCESS) return false;
    DWORD subkeys = 0;
    DWORD values = 0;
    rc = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                          nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS || subkeys || values) return false;
    rc = RegDeleteKeyW(RootKey(root_), subKey.c_str());
    return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
  }

  void WriteString(const std::string& name, const std::string& value) override {
    WriteText(name, value, REG_SZ);
  }
  void WriteExpandString(const std::string& name, const std::string& value) override {
    WriteText(name, value, REG_EXPAND_SZ);
  }

 private:
  void WriteText(const std::string& name, const std::string& value, DWORD type) {
    if (!key_.Valid()) throw plat::Error("registry write with no key open");
    const WString data = Wide(value);
    const LONG rc = RegSetValueExW(key_.Get(), Wide(name).c_str(), 0, type,
                                   reinterpret_cast<const BYTE*>(data.c_str()),
                                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS)
      throw ERegistryException(RegistryWriteError(root_, path_, name, static_cast<uint32_t>(rc)));
  }
  static bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }
  ERegistryException ReadError(const std::string& name, LONG rc) const {
    return ERegistryException(RegistryReadError(root_, path_, name, static_cast<uint32_t>(rc)));
  }

  UniqueKey key_;
  std::string path_;
  uint32_t openError_ = 0;
};

}  // namespace

std::unique_ptr<RegistryAccessor> Win32Registry::NewAccessor() {
  return std::make_unique<Win32Accessor>();
}

}  // namespace plat::win32
