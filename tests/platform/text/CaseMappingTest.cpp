#include "platform/text/CaseMapping.h"

#include <gtest/gtest.h>

#include "platform/text/Locale.h"
#include "tests/platform/text/TextTestSupport.h"

namespace plat::text {
namespace {

TEST(CaseMapping, RootLocaleRules) {
  struct Case {
    const char* text;
    const char* upper;
    const char* lower;
  } cases[] = {
      {"abc XYZ 123", "ABC XYZ 123", "abc xyz 123"},
      {"stra\xC3\x9F"
       "e",
       "STRASSE",
       "stra\xC3\x9F"
       "e"},  // full mapping of sharp s
      {"i\xC4\xB1",
       "I"
       "I",
       "i\xC4\xB1"},                                                    // dotless i upper-cases to I
      {"\xC3\x89t\xC3\xA9", "\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"},  // Été
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toUpperCase(c.text), c.upper) << c.text;
    EXPECT_EQ(toLowerCase(c.text), c.lower) << c.text;
  }
}

TEST(CaseMapping, IgnoresTheDefaultLocale) {
  testing::DefaultLocaleGuard turkish(Locale("tr", "TR"));
  EXPECT_EQ(toUpperCase("i"), "I");
  EXPECT_EQ(toLowerCase("I"), "i");
}

TEST(CaseMapping, EqualsIgnoreCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"Select", "SELECT", true},
      {"abc", "abd", false},
      {"\xC3\xA9", "\xC3\x89", true},
      {"abc", "abcd", false},
      {"", "", true},
      {"stra\xC3\x9F"
       "e",
       "STRASSE", false},  // lengths differ
  };
  for (const auto& c : cases) EXPECT_EQ(equalsIgnoreCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}

TEST(CaseMapping, CompareToIgnoreCase) {
  EXPECT_EQ(compareToIgnoreCase("ABC", "abc"), 0);
  EXPECT_LT(compareToIgnoreCase("abc", "ABD"), 0);
  EXPECT_GT(compareToIgnoreCase("b", "A"), 0);
  EXPECT_EQ(compareToIgnoreCase("ab", "ABCD"), -2);
  // Letters fold to lower case, so '_' (0x5F) sorts before them all, as it does not between 'Z' and 'a'.
  EXPECT_LT(compareToIgnoreCase("_", "a"), 0);
}

}  // namespace
}  // namespace plat::text
