// Text conversions: the round trips that URLs and captions depend on, and malformed input.
#include <gtest/gtest.h>

#include "ui/Text.h"

TEST(Text, Utf16AndUtf8RoundTripChineseAndAstralCharacters) {
  const std::u16string wide = u"\u70ed\u95e8 abc \U0001F600";
  const std::string narrow = ui::Utf16ToUtf8(wide);
  EXPECT_EQ(narrow, "\xE7\x83\xAD\xE9\x97\xA8 abc \xF0\x9F\x98\x80");
  EXPECT_EQ(ui::Utf8ToUtf16(narrow), wide);
}

TEST(Text, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(ui::Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
  EXPECT_EQ(ui::Utf8ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");      // overlong NUL
  EXPECT_EQ(ui::Utf8ToUtf16("a\xE7\x83"), u"a\uFFFD\uFFFD");     // truncated sequence
  EXPECT_EQ(ui::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
}

TEST(Text, CaseAndTrimTouchOnlyAscii) {
  EXPECT_EQ(ui::AsciiUpper("Top\xE7x"), "TOP\xE7X");
  EXPECT_TRUE(ui::EqualsNoCase("ComboButton", "COMBOBUTTON"));
  EXPECT_FALSE(ui::EqualsNoCase("Combo", "Combos"));
  EXPECT_EQ(ui::Trim(" \t\r\n Key = 1 \x01"), "Key = 1");
  EXPECT_EQ(ui::Trim("   "), "");
}
