#pragma once
// The only bridge between the program's UTF-8 strings and the W functions of the API.
#include <windows.h>

#include <string>

#include "platform/text.h"

namespace plat::win32 {

// UTF-16 text for the W functions. Traits of our own make this a type the library has not
// compiled in advance, so the program carries only the members it calls, not the whole
// prebuilt std::wstring (some 35 KB that the linker cannot trim).
struct WideTraits : std::char_traits<wchar_t> {};
using WString = std::basic_string<wchar_t, WideTraits>;

inline WString Wide(const std::string& utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return WString(u16.begin(), u16.end());
}

inline std::string Narrow(const wchar_t* text, size_t length) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), length));
}

inline std::string Narrow(const WString& text) {
  return Narrow(text.data(), text.size());
}

inline WString WindowText(HWND window) {
  WString text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return text;
}

}  // namespace plat::win32
