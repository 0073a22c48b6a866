#include "platform/text/Utf16.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::text::utf16 {
namespace {

const std::string kEAcute = "\xC3\xA9";            // U+00E9
const std::string kEuro = "\xE2\x82\xAC";          // U+20AC
const std::string kGrinning = "\xF0\x9F\x98\x80";  // U+1F600, two units
const std::string kReplacement = "\xEF\xBF\xBD";   // U+FFFD

TEST(Utf16, LengthInCodeUnits) {
  struct Case {
    std::string text;
    int32_t units;
  } cases[] = {
      {"", 0},         {"abc", 3}, {kEAcute, 1}, {kEuro + "1", 2}, {kGrinning, 2}, {"a" + kGrinning + "b", 4},
      {"\xFF", 1},      // a stray byte reads as one U+FFFD
      {"\xE2\x82", 2},  // a cut sequence: one U+FFFD per byte
  };
  for (const auto& c : cases) EXPECT_EQ(length(c.text), c.units) << c.text;
}

TEST(Utf16, CharAtAndSubstringByUnit) {
  std::string text = "a" + kGrinning + kEuro;
  EXPECT_EQ(charAt(text, 0), u'a');
  EXPECT_EQ(charAt(text, 1), 0xD83D);
  EXPECT_EQ(charAt(text, 2), 0xDE00);
  EXPECT_EQ(charAt(text, 3), 0x20AC);
  EXPECT_THROW(charAt(text, 4), plat::lang::StringIndexOutOfBoundsException);
  EXPECT_THROW(charAt(text, -1), plat::lang::StringIndexOutOfBoundsException);

  EXPECT_EQ(substring(text, 1, 3), kGrinning);
  EXPECT_EQ(substring(text, 3), kEuro);
  EXPECT_EQ(substring(text, 4), "");
  EXPECT_EQ(substring(text, 1, 2), kReplacement);  // half a pair cannot be written as UTF-8
  EXPECT_THROW(substring(text, 2, 1), plat::lang::StringIndexOutOfBoundsException);
  EXPECT_THROW(substring(text, 0, 5), plat::lang::StringIndexOutOfBoundsException);
}

TEST(Utf16, IndexOfCountsUnits) {
  std::string text = kGrinning + "ab" + kEuro + "ab";
  EXPECT_EQ(indexOf(text, "ab"), 2);
  EXPECT_EQ(indexOf(text, "ab", 3), 5);
  EXPECT_EQ(indexOf(text, kEuro), 4);
  EXPECT_EQ(indexOf(text, "x"), -1);
  EXPECT_EQ(indexOf(text, "", 99), 7);
}

TEST(Utf16, CompareInCodeUnitOrder) {
  // U+1F600 is D83D DE00 in UTF-16, so it sorts before U+FFFD although its code point is higher.
  EXPECT_LT(compare(kGrinning, kReplacement), 0);
  EXPECT_GT(compare(kReplacement, kGrinning), 0);
  EXPECT_EQ(compare("abc", "abc"), 0);
  EXPECT_EQ(compare("abc", "abd"), 'c' - 'd');
  EXPECT_EQ(compare("ab", "abcd"), -2);
  EXPECT_EQ(compare("B", "a"), 'B' - 'a');
  // Texts that share a multi-byte prefix, end inside one, or differ in a byte of a character.
  EXPECT_EQ(compare(kEuro + "a", kEuro + "b"), 'a' - 'b');
  EXPECT_EQ(compare("a" + kEuro, "a" + kEAcute), 0x20AC - 0x00E9);
  EXPECT_EQ(compare(kEuro, kEuro + "ab"), -2);
  EXPECT_EQ(compare("\xE2\x82", kEuro), 0xFFFD - 0x20AC);
}

TEST(Utf16, Escapes) {
  EXPECT_EQ(unicodeEscape(0x00E9), "\\u00e9");
  EXPECT_EQ(unicodeEscape(0xFFEE), "\\uffee");
  EXPECT_EQ(escapeNonAscii("a" + kEAcute + "\n" + kGrinning), "a\\u00e9\\u000a\\ud83d\\ude00");
  EXPECT_EQ(unescape("a\\u00e9\\ud83d\\ude00"), "a" + kEAcute + kGrinning);
  EXPECT_EQ(unescape("\\u20AC and \\u12 and \\x"), kEuro + " and \\u12 and \\x");
}

TEST(Utf16, RoundTripsEveryBasicPlaneCharacterOutsideSurrogates) {
  std::u16string all;
  for (char32_t c = 1; c <= 0xFFFF; ++c)
    if (c < 0xD800 || c > 0xDFFF) all += static_cast<char16_t>(c);
  all += u"\U0010FFFF";
  EXPECT_EQ(fromUtf8(toUtf8(all)), all);
  EXPECT_EQ(unescape(escapeNonAscii(toUtf8(all))), toUtf8(all));
}

}  // namespace
}  // namespace plat::text::utf16
