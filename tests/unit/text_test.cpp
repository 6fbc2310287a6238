#include "platform/text.h"

#include <gtest/gtest.h>

using plat::IsCp1250Representable;
using plat::Utf16ToUtf8;
using plat::Utf8ToUtf16;

TEST(Utf, PolishLettersAndAstralCharactersRoundTrip) {
  for (const std::string& s : std::initializer_list<std::string>{
           "", "zażółć gęślą jaźń", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ", "C:\\Program Files\\Ñ",
           "\xF0\x9F\x98\x80 emoji", std::string("nul\0inside", 10)}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
  }
  EXPECT_EQ(Utf8ToUtf16("ł"), u"\u0142");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80"), u"\xD83D\xDE00");
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string in;
    std::u16string out;
  } cases[] = {
      {"a\x80z", u"a\uFFFDz"},                  // stray continuation byte
      {"\xC3", u"\uFFFD"},                      // truncated at the end
      {"\xC3(", u"\uFFFD("},                    // continuation missing
      {"\xC0\xAF", u"\uFFFD\uFFFD"},            // overlong "/" must not turn into a separator
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {"\xFF", u"\uFFFD"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
  EXPECT_EQ(Utf16ToUtf8(u"x\xD800y"), "x\xEF\xBF\xBDy");  // unpaired high surrogate
  EXPECT_EQ(Utf16ToUtf8(u"\xDC00"), "\xEF\xBF\xBD");      // lone low surrogate
}

TEST(Cp1250, PolishTextsFitAndOthersDoNot) {
  EXPECT_TRUE(IsCp1250Representable("Przerwać proces instalacji ?"));
  EXPECT_TRUE(IsCp1250Representable("Wolne zasoby:\r    Użytkownika\t: 5%"));
  EXPECT_TRUE(IsCp1250Representable("„cudzysłów” – € ×"));
  EXPECT_FALSE(IsCp1250Representable("ñ"));             // Spanish, not in the Central European set
  EXPECT_FALSE(IsCp1250Representable("\xE2\x80\x9F"));  // U+201F
  EXPECT_FALSE(IsCp1250Representable("a\x80"));         // malformed
}

TEST(InvariantUpper, PolishAndLatinLetters) {
  EXPECT_EQ(plat::InvariantUpper("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
  EXPECT_EQ(plat::InvariantUpper("vortel.exe ÿ ß"), "VORTEL.EXE Ÿ ß");
  EXPECT_EQ(plat::InvariantUpper("ĺľňž"), "ĹĽŇŽ");
  EXPECT_EQ(plat::InvariantUpper("÷"), "÷");
}
