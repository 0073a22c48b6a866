#include "platform/lang/Double.h"

#include <sys/wait.h>

#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::lang {
namespace {

std::string parseDoubleFailure(std::string_view text) {
  try {
    Double::parseDouble(text);
  } catch (const NumberFormatException& e) {
    return e.getMessage();
  }
  return "(parsed)";
}

TEST(Double, ToStringMatchesTheRuntime) {
  struct Case {
    double value;
    const char* expected;
  };
  const Case cases[] = {
      {0.1, "0.1"},
      {1.0 / 3, "0.3333333333333333"},
      {2.0 / 3, "0.6666666666666666"},
      {0.1 + 0.2, "0.30000000000000004"},
      {1.0, "1.0"},
      {100.0, "100.0"},
      {-1.5, "-1.5"},
      {1e7, "1.0E7"},
      {9999999.0, "9999999.0"},
      {1234567.0, "1234567.0"},
      {12345678.0, "1.2345678E7"},
      {123456789.0, "1.23456789E8"},
      {1e10, "1.0E10"},
      {1e21, "1.0E21"},
      {1e23, "1.0E23"},
      {1e-3, "0.001"},
      {0.001234, "0.001234"},
      {1e-4, "1.0E-4"},
      {1e-5, "1.0E-5"},
      {9.999999999999998e-4, "9.999999999999998E-4"},
      {3.14, "3.14"},
      {0.0, "0.0"},
      {-0.0, "-0.0"},
      {9223372036854775807.0, "9.223372036854776E18"},
      {Double::MAX_VALUE, "1.7976931348623157E308"},
      {Double::MIN_NORMAL, "2.2250738585072014E-308"},
      {Double::MIN_VALUE, "4.9E-324"},
      {4 * Double::MIN_VALUE, "2.0E-323"},
      {3 * Double::MIN_VALUE, "1.5E-323"},
      {1e-310, "1.0E-310"},
      {Double::NaN, "NaN"},
      {Double::POSITIVE_INFINITY, "Infinity"},
      {Double::NEGATIVE_INFINITY, "-Infinity"},
  };
  for (const Case& c : cases) EXPECT_EQ(Double::toString(c.value), c.expected) << c.expected;
}

TEST(Float, ToStringMatchesTheRuntime) {
  struct Case {
    float value;
    const char* expected;
  };
  const Case cases[] = {
      {1.1f, "1.1"},
      {0.1f, "0.1"},
      {1.0f / 3, "0.33333334"},
      {100.0f, "100.0"},
      {1234567.0f, "1234567.0"},
      {16777216.0f, "1.6777216E7"},
      {1e10f, "1.0E10"},
      {1e-4f, "1.0E-4"},
      {-0.0f, "-0.0"},
      {Float::MAX_VALUE, "3.4028235E38"},
      {Float::MIN_NORMAL, "1.1754944E-38"},
      {Float::MIN_VALUE, "1.4E-45"},
      {Float::NaN, "NaN"},
      {Float::NEGATIVE_INFINITY, "-Infinity"},
  };
  for (const Case& c : cases) EXPECT_EQ(Float::toString(c.value), c.expected) << c.expected;
}

TEST(Double, ParseAcceptsTheRuntimeGrammar) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"1.5", 1.5},
      {" 1.5 ", 1.5},
      {"\t\n1e3\r", 1000.0},
      {"+1", 1.0},
      {".5", 0.5},
      {"5.", 5.0},
      {"007", 7.0},
      {"1e+2", 100.0},
      {"1E-2", 0.01},
      {"1.5f", 1.5},
      {"2d", 2.0},
      {"2.5D", 2.5},
      {"1e5F", 1e5},
      {"-Infinity", -Double::POSITIVE_INFINITY},
      {"+Infinity", Double::POSITIVE_INFINITY},
      {"0x1p4", 16.0},
      {"0x1.8P1", 3.0},
      {"0X.8p0", 0.5},
      {"-0x10p-4d", -1.0},
      {"1e400", Double::POSITIVE_INFINITY},
      {"-1e400", Double::NEGATIVE_INFINITY},
      {"1e-400", 0.0},
      {"1e99999999999999999999", Double::POSITIVE_INFINITY},
      {"4.9e-324", Double::MIN_VALUE},
      {"2.4703282292062328e-324", Double::MIN_VALUE},  // just above half the smallest: rounds up
      {"2.4703282292062327e-324", 0.0},                // just below: rounds to zero
      {"1.7976931348623157E308", Double::MAX_VALUE},
      {"0.30000000000000004", 0.1 + 0.2},
      {"9007199254740993", 9007199254740992.0},  // a tie, rounded to even
  };
  for (const Case& c : cases) EXPECT_EQ(Double::parseDouble(c.text), c.expected) << c.text;
  EXPECT_TRUE(std::isnan(Double::parseDouble("NaN")));
  EXPECT_TRUE(std::isnan(Double::parseDouble("-NaN")));
  EXPECT_TRUE(std::signbit(Double::parseDouble("-0")));
  EXPECT_EQ(Double::parseDouble(std::string_view("\0 7\0", 4)), 7.0);  // NUL counts as a blank
}

TEST(Double, ParseRejects) {
  const char* const texts[] = {
      "abc", "1.5.", "1e",    "1e+", ".",        "+",         "-",       "e5",  "1 2",   "0x1.8",
      "0x",  "0xp1", "1ff",   "nan", "infinity", "Infinity1", "NaNd",    "1,5", "1_000", "\u0661",
      "Inf", "0x1p", "1.5fd", "--1", "1e5.5",    "0b101",     "1.5e1.0", ".e1", "+-1",   "0x1g",
  };
  for (const char* text : texts) {
    EXPECT_EQ(parseDoubleFailure(text), "For input string: \"" + std::string(text) + "\"") << text;
  }
  EXPECT_EQ(parseDoubleFailure("  x1  "), "For input string: \"x1\"");  // the message shows the trimmed text
  EXPECT_EQ(parseDoubleFailure(""), "empty String");
  EXPECT_EQ(parseDoubleFailure(" \t\n"), "empty String");
  EXPECT_THROW(Double::parseDouble(static_cast<const char*>(nullptr)), NullPointerException);
  EXPECT_THROW(Float::parseFloat("1.0.0"), NumberFormatException);
}

TEST(Float, ParseRoundsOnceToFloat) {
  EXPECT_EQ(Float::parseFloat("1.1"), 1.1f);
  EXPECT_EQ(Float::parseFloat("3.4028235E38"), Float::MAX_VALUE);
  EXPECT_EQ(Float::parseFloat("3.5E38"), Float::POSITIVE_INFINITY);
  EXPECT_EQ(Float::parseFloat("1.4E-45"), Float::MIN_VALUE);
  // 1 + 2^-24 + 2^-60: rounding first to double would give the tie 1 + 2^-24 and then 1.0.
  EXPECT_EQ(Float::parseFloat("1.00000005960464477550"), std::nextafter(1.0f, 2.0f));
  EXPECT_EQ(Float::parseFloat("0x1.000002p0f"), std::nextafter(1.0f, 2.0f));
}

TEST(Double, ToStringRoundTripsBitwise) {
  std::mt19937_64 random(20240601);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isnan(value)) continue;
    const std::string text = Double::toString(value);
    ASSERT_EQ(std::bit_cast<uint64_t>(Double::parseDouble(text)), std::bit_cast<uint64_t>(value)) << text;
  }
  for (int i = 0; i < 20000; ++i) {
    const float value = std::bit_cast<float>(static_cast<uint32_t>(random()));
    if (std::isnan(value)) continue;
    const std::string text = Float::toString(value);
    ASSERT_EQ(std::bit_cast<uint32_t>(Float::parseFloat(text)), std::bit_cast<uint32_t>(value)) << text;
  }
}

// Whole numbers and sixteenths below 10^7 have their own path; its text must be the shortest plain text, which
// to_chars' shortest fixed form gives independently (a whole number needs the ".0" appended).
TEST(Double, SixteenthsBelowTenMillionReadAsTheirShortestPlainText) {
  auto expected = [](double value) {
    char buffer[64];
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed).ptr);
    if (text.find('.') == std::string::npos) text += ".0";
    return text;
  };
  std::vector<double> values;
  for (std::int64_t n = 1; n <= 100000; ++n) values.push_back(static_cast<double>(n) / 16);
  for (std::int64_t n = 160000000 - 5000; n < 160000000; ++n) values.push_back(static_cast<double>(n) / 16);
  for (std::int64_t n = 1; n < 10000000; n += 9973) values.push_back(static_cast<double>(n) + 0.25);
  for (double value : values) {
    ASSERT_EQ(Double::toString(value), expected(value));
    ASSERT_EQ(Double::toString(-value), "-" + expected(value));
  }
  EXPECT_EQ(Double::toString(9999999.9375), "9999999.9375");
  EXPECT_EQ(Double::toString(1e7), "1.0E7");
  EXPECT_EQ(Double::toString(0.03125), "0.03125");
}

// Sets a process locale whose decimal point is a comma: an installed one, or one compiled into a scratch folder.
bool setCommaLocale() {
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) return true;
  }
  const std::string folder = testing::TempDir() + "plat-locale";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::string command = "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) > 1) return false;  // 1 means warnings only
  ::setenv("LOCPATH", folder.c_str(), 1);
  const bool set = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
  ::unsetenv("LOCPATH");
  return set;
}

TEST(Double, TextDoesNotDependOnTheProcessLocale) {
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  if (!setCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma can be set";
  const bool commaLocale = std::localeconv()->decimal_point[0] == ',';
  const double parsed = Double::parseDouble("1.5");
  const float parsedFloat = Float::parseFloat("2.5");
  const std::string text = Double::toString(2.25);
  std::setlocale(LC_ALL, saved.c_str());
  ASSERT_TRUE(commaLocale);
  EXPECT_EQ(parsed, 1.5);
  EXPECT_EQ(parsedFloat, 2.5f);
  EXPECT_EQ(text, "2.25");
}

TEST(Double, CompareIsTotal) {
  EXPECT_EQ(Double::compare(-0.0, 0.0), -1);
  EXPECT_EQ(Double::compare(0.0, -0.0), 1);
  EXPECT_EQ(Double::compare(Double::NaN, Double::NaN), 0);
  EXPECT_EQ(Double::compare(Double::NaN, Double::POSITIVE_INFINITY), 1);
  EXPECT_EQ(Double::compare(1.0, 2.0), -1);
  EXPECT_EQ(Double::doubleToLongBits(-Double::NaN), 0x7ff8000000000000LL);
  EXPECT_EQ(Float::compare(-0.0f, 0.0f), -1);
  EXPECT_EQ(Float::floatToIntBits(1.0f), 0x3f800000);
}

}  // namespace
}  // namespace plat::lang
