#pragma once
// The only bridge between the program's UTF-8 strings and the W functions of the API.
#include <windows.h>

#include <string>

#include "platform/text.h"

namespace plat::win32 {

inline std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

inline std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

inline std::string Narrow(const std::wstring& text) {
  return Narrow(text.data(), text.size());
}

}  // namespace plat::win32
