#pragma once
// UTF-8 is the text encoding everywhere inside the program; the Win32 backend converts to
// UTF-16 right at each API call through these two functions and nowhere else.
#include <string>
#include <string_view>

namespace plat {

// Malformed input (stray continuation bytes, overlong forms, surrogates, truncated
// sequences, unpaired UTF-16 surrogates) becomes U+FFFD instead of being dropped, so a
// damaged name stays visibly damaged rather than silently turning into another name.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Every text the user sees must survive the trip through Windows-1250, the code page the
// package's documents and older systems use.
bool IsCp1250Representable(std::string_view utf8);

// Upper-casing without the locale, for the few places where Windows itself compares
// case-insensitively by its own fixed table (file names, registry value names).
std::string InvariantUpper(std::string_view utf8);

}  // namespace plat
