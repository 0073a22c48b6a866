#include "platform/text/Character.h"

#include <gtest/gtest.h>

namespace plat::text {
namespace {

struct ClassCase {
  char32_t c;
  bool digit, letter, whitespace, space;
};

TEST(Character, Classes) {
  const ClassCase cases[] = {
      {U'7', true, false, false, false},          {U'a', false, true, false, false},
      {U'\u00E9', false, true, false, false},     {U'\u0663', true, false, false, false},  // Arabic-Indic three
      {U' ', false, false, true, true},           {U'\t', false, false, true, false},
      {U'\u001F', false, false, true, false},     {U'\u00A0', false, false, false, true},  // no-break space
      {U'\u202F', false, false, false, true},     {U'\u2003', false, false, true, true},   // em space
      {U'_', false, false, false, false},         {U'\u65E5', false, true, false, false},  // CJK ideograph
      {U'\U0001D7CE', true, false, false, false},                                          // mathematical bold zero
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<unsigned>(c.c));
    EXPECT_EQ(Character::isDigit(c.c), c.digit);
    EXPECT_EQ(Character::isLetter(c.c), c.letter);
    EXPECT_EQ(Character::isLetterOrDigit(c.c), c.digit || c.letter);
    EXPECT_EQ(Character::isWhitespace(c.c), c.whitespace);
    EXPECT_EQ(Character::isSpaceChar(c.c), c.space);
  }
}

TEST(Character, CaseAndDigitValues) {
  EXPECT_TRUE(Character::isUpperCase(U'A'));
  EXPECT_TRUE(Character::isLowerCase(U'\u00DF'));
  EXPECT_EQ(Character::toUpperCase(U'\u00E9'), U'\u00C9');
  EXPECT_EQ(Character::toLowerCase(U'\u0130'), U'i');
  EXPECT_EQ(Character::toUpperCase(U'\u00DF'), U'\u00DF');  // no single-character upper case
  EXPECT_EQ(Character::digit(U'f', 16), 15);
  EXPECT_EQ(Character::digit(U'g', 16), -1);
  EXPECT_EQ(Character::digit(U'\u0663', 10), 3);
  EXPECT_EQ(Character::digit(U'1', 1), -1);
}

}  // namespace
}  // namespace plat::text
