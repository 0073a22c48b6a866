#include "platform/lang/Integer.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::lang {
namespace {

std::string parseIntFailure(std::string_view text, int radix = 10) {
  try {
    Integer::parseInt(text, radix);
  } catch (const NumberFormatException& e) {
    return e.getMessage();
  }
  return "(parsed)";
}

std::string parseLongFailure(std::string_view text, int radix = 10) {
  try {
    Long::parseLong(text, radix);
  } catch (const NumberFormatException& e) {
    return e.getMessage();
  }
  return "(parsed)";
}

TEST(Integer, ParseIntAccepts) {
  struct Case {
    const char* text;
    int radix;
    int32_t expected;
  };
  const Case cases[] = {
      {"0", 10, 0},
      {"+5", 10, 5},
      {"-5", 10, -5},
      {"-0", 10, 0},
      {"007", 10, 7},
      {"2147483647", 10, Integer::MAX_VALUE},
      {"-2147483648", 10, Integer::MIN_VALUE},
      {"+2147483647", 10, Integer::MAX_VALUE},
      {"ff", 16, 255},
      {"-FF", 16, -255},
      {"7fffffff", 16, Integer::MAX_VALUE},
      {"-80000000", 16, Integer::MIN_VALUE},
      {"z", 36, 35},
      {"1010", 2, 10},
      {"\u0661\u0662\u0663", 10, 123},  // Arabic-Indic digits
      {"\uFF11\uFF12", 10, 12},         // full-width digits
      {"\uFF46", 16, 15},               // full-width small f
      {"\u0967\u0966", 10, 10},         // Devanagari
  };
  for (const Case& c : cases) EXPECT_EQ(Integer::parseInt(c.text, c.radix), c.expected) << c.text;
}

TEST(Integer, ParseIntRejectsWithTheInputInTheMessage) {
  const char* const texts[] = {
      "2147483648",
      "-2147483649",
      "",
      "-",
      "+",
      " 1",
      "1 ",
      "1.0",
      "0x10",
      "1e3",
      "--1",
      "+-1",
      "99999999999999999999",
      "1_000",
      "\xFF",
      "\xD9",
      "\U0001D7CE" /* mathematical bold zero: outside the basic plane */,
      "12a",
  };
  for (const char* text : texts) {
    EXPECT_EQ(parseIntFailure(text), "For input string: \"" + std::string(text) + "\"") << text;
  }
  EXPECT_EQ(parseIntFailure("80000000", 16), "For input string: \"80000000\"");
  EXPECT_EQ(parseIntFailure("2", 2), "For input string: \"2\"");
  EXPECT_EQ(parseIntFailure("g", 16), "For input string: \"g\"");
}

TEST(Integer, ParseIntRadixAndNullFailures) {
  EXPECT_EQ(parseIntFailure("1", 1), "radix 1 less than Character.MIN_RADIX");
  EXPECT_EQ(parseIntFailure("1", 37), "radix 37 greater than Character.MAX_RADIX");
  try {
    Integer::parseInt(static_cast<const char*>(nullptr));
    ADD_FAILURE() << "no exception";
  } catch (const NumberFormatException& e) {
    EXPECT_EQ(e.getMessage(), "null");
  }
  EXPECT_THROW(Long::parseLong(static_cast<const char*>(nullptr)), NumberFormatException);
}

TEST(Long, ParseLongEdges) {
  EXPECT_EQ(Long::parseLong("9223372036854775807"), Long::MAX_VALUE);
  EXPECT_EQ(Long::parseLong("-9223372036854775808"), Long::MIN_VALUE);
  EXPECT_EQ(Long::parseLong("+42"), 42);
  EXPECT_EQ(Long::parseLong("-7fffffffffffffff", 16), -Long::MAX_VALUE);
  EXPECT_EQ(Long::parseLong("2147483648"), 2147483648LL);
  EXPECT_EQ(parseLongFailure("9223372036854775808"), "For input string: \"9223372036854775808\"");
  EXPECT_EQ(parseLongFailure("-9223372036854775809"), "For input string: \"-9223372036854775809\"");
  EXPECT_EQ(parseLongFailure("92233720368547758070"), "For input string: \"92233720368547758070\"");
  EXPECT_EQ(parseLongFailure("1L"), "For input string: \"1L\"");
  EXPECT_EQ(parseLongFailure(""), "For input string: \"\"");
}

TEST(Integer, TextForms) {
  EXPECT_EQ(Integer::toString(0), "0");
  EXPECT_EQ(Integer::toString(-17), "-17");
  EXPECT_EQ(Integer::toString(Integer::MIN_VALUE), "-2147483648");
  EXPECT_EQ(Integer::toString(Integer::MAX_VALUE), "2147483647");
  EXPECT_EQ(Integer::toString(255, 16), "ff");
  EXPECT_EQ(Integer::toString(-255, 16), "-ff");
  EXPECT_EQ(Integer::toString(Integer::MIN_VALUE, 2), "-10000000000000000000000000000000");
  EXPECT_EQ(Integer::toString(35, 36), "z");
  EXPECT_EQ(Integer::toString(10, 99), "10");  // a radix out of range means 10
  EXPECT_EQ(Integer::toHexString(0), "0");
  EXPECT_EQ(Integer::toHexString(255), "ff");
  EXPECT_EQ(Integer::toHexString(-1), "ffffffff");
  EXPECT_EQ(Integer::toHexString(Integer::MIN_VALUE), "80000000");
  EXPECT_EQ(Long::toString(Long::MIN_VALUE), "-9223372036854775808");
  EXPECT_EQ(Long::toString(Long::MAX_VALUE, 36), "1y2p0ij32e8e7");
  EXPECT_EQ(Long::toHexString(-1), "ffffffffffffffff");
  EXPECT_EQ(Long::toHexString(Long::MIN_VALUE), "8000000000000000");
}

TEST(Integer, TextRoundTripsOverWideRange) {
  for (int64_t v = Integer::MIN_VALUE; v <= Integer::MAX_VALUE; v += 9876543) {
    const auto i = static_cast<int32_t>(v);
    for (int radix : {2, 8, 10, 16, 36}) {
      ASSERT_EQ(Integer::parseInt(Integer::toString(i, radix), radix), i) << i << " radix " << radix;
    }
  }
  for (int64_t v : {Long::MIN_VALUE, Long::MIN_VALUE + 1, int64_t{-1}, int64_t{0}, int64_t{1}, Long::MAX_VALUE}) {
    ASSERT_EQ(Long::parseLong(Long::toString(v, 7), 7), v);
  }
}

TEST(Integer, DigitValues) {
  EXPECT_EQ(Integer::digit(U'7', 10), 7);
  EXPECT_EQ(Integer::digit(U'a', 10), -1);
  EXPECT_EQ(Integer::digit(U'A', 11), 10);
  EXPECT_EQ(Integer::digit(U'\u0E59', 10), 9);  // Thai nine
  EXPECT_EQ(Integer::digit(U'\uFF3A', 36), 35);
  EXPECT_EQ(Integer::digit(U'7', 1), -1);
  EXPECT_EQ(Integer::digit(U'\u00B2', 10), -1);  // superscript two is no decimal digit
}

}  // namespace
}  // namespace plat::lang
