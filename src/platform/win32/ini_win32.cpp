#include <windows.h>

#include <vector>

#include "platform/errors.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace plat::win32 {

std::string Win32Ini::Read(const std::string& file, const std::string& section,
                           const std::string& key, const std::string& fallback) {
  // Grow until the value fits: the profile API cuts silently at the buffer's end.
  std::vector<wchar_t> buffer(256);
  for (;;) {
    const DWORD n = GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                             Wide(fallback).c_str(), buffer.data(),
                                             static_cast<DWORD>(buffer.size()), Wide(file).c_str());
    if (n < buffer.size() - 1) return Narrow(buffer.data(), n);
    buffer.resize(buffer.size() * 4);
  }
}

std::vector<std::string> Win32Ini::Keys(const std::string& file, const std::string& section) {
  std::vector<wchar_t> buffer(1024);
  DWORD n;
  for (;;) {
    n = GetPrivateProfileStringW(Wide(section).c_str(), nullptr, L"", buffer.data(),
                                 static_cast<DWORD>(buffer.size()), Wide(file).c_str());
    if (n < buffer.size() - 2) break;
    buffer.resize(buffer.size() * 4);
  }
  std::vector<std::string> keys;
  for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1)
    keys.push_back(Narrow(p, wcslen(p)));
  return keys;
}

void Win32Ini::Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) {
  if (!WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(),
                                  Wide(file).c_str()))
    throw EFileError(
        file, "nie można zapisać [" + section + "] " + key + ": " + SystemReason(GetLastError()));
}

void Win32Ini::Remove(const std::string& file, const std::string& section, const std::string& key) {
  if (!WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), nullptr,
                                  Wide(file).c_str()))
    throw EFileError(file, EFileError::Reason::Other, GetLastError());
}

}  // namespace plat::win32
