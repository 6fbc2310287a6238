#include "platform/text.h"

#include <gtest/gtest.h>

using plat::IsCp1250Representable;
using plat::Utf16ToUtf8;
using plat::Utf8ToUtf16;

// The round trip and the locale's upper case are proven against the system's converter under
// Wine; here the malformed input a command line or a registry value can bring.
TEST(Text, MalformedInputBecomesReplacementCharactersAndOnlyCentralEuropeFitsCp1250) {
  const std::pair<std::string, std::u16string> cases[] = {
      {"zażółć \xF0\x9F\x98\x80", u"za\u017C\u00F3\u0142\u0107 \xD83D\xDE00"},
      {"a\x80z", u"a\uFFFDz"},                            // stray continuation byte
      {"\xC3(", u"\uFFFD("},                              // continuation missing
      {"\xC0\xAF", u"\uFFFD\uFFFD"},                      // overlong "/" is no separator
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},            // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Utf8ToUtf16(in), out) << in;
  EXPECT_EQ(Utf16ToUtf8(u"x\xD800y\xDC00"), "x\xEF\xBF\xBDy\xEF\xBF\xBD");  // lone surrogates
  EXPECT_TRUE(IsCp1250Representable("Przerwać proces instalacji ? „cudzysłów” – € ×"));
  for (const char* text : {"ñ", "\xE2\x80\x9F", "a\x80"}) EXPECT_FALSE(IsCp1250Representable(text));
  EXPECT_EQ(plat::InvariantUpper("zażółć gęślą jaźń ĺľňž ÿ ß ÷"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ ĹĽŇŽ Ÿ ß ÷");
}
