#include "platform/math/Decimal.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::math {
namespace {

using plat::lang::ArithmeticException;
using plat::lang::NumberFormatException;

TEST(Decimal, ParseAndTextForms) {
  struct Case {
    const char* text;
    const char* unscaled;
    int32_t scale;
    const char* string;
    const char* plain;
  };
  const Case cases[] = {
      {"12.50", "1250", 2, "12.50", "12.50"},
      {"-1E+3", "-1", -3, "-1E+3", "-1000"},
      {"1E3", "1", -3, "1E+3", "1000"},
      {".5", "5", 1, "0.5", "0.5"},
      {"5.", "5", 0, "5", "5"},
      {"1e-2", "1", 2, "0.01", "0.01"},
      {"+7", "7", 0, "7", "7"},
      {"-0", "0", 0, "0", "0"},
      {"-0.0", "0", 1, "0.0", "0.0"},
      {"0.00", "0", 2, "0.00", "0.00"},
      {"0E+3", "0", -3, "0E+3", "0"},
      {"0E-10", "0", 10, "0E-10", "0.0000000000"},
      {"00012", "12", 0, "12", "12"},
      {"1e0", "1", 0, "1", "1"},
      {"0.000001", "1", 6, "0.000001", "0.000001"},
      {"0.0000001", "1", 7, "1E-7", "0.0000001"},
      {"1.23E-7", "123", 9, "1.23E-7", "0.000000123"},
      {"123E-10", "123", 10, "1.23E-8", "0.0000000123"},
      {"1.0E+10", "10", -9, "1.0E+10", "10000000000"},
      {"-1.5e2", "-15", -1, "-1.5E+2", "-150"},
      {"12345678901234567890.123", "12345678901234567890123", 3, "12345678901234567890.123",
       "12345678901234567890.123"},
      {"1e0000000000000000003", "1", -3, "1E+3", "1000"},
      {"1E+2147483648", "1", std::numeric_limits<int32_t>::min(), "1E+2147483648", nullptr},
      {"\u0661.\u0665", "15", 1, "1.5", "1.5"},  // the runtime takes any decimal digit
  };
  for (const Case& c : cases) {
    const Decimal d(c.text);
    EXPECT_EQ(d.unscaledText(), c.unscaled) << c.text;
    EXPECT_EQ(d.scale(), c.scale) << c.text;
    EXPECT_EQ(d.toString(), c.string) << c.text;
    if (c.plain != nullptr) {
      EXPECT_EQ(d.toPlainString(), c.plain) << c.text;
    }
  }
}

TEST(Decimal, ParseRejects) {
  const char* const texts[] = {
      "",
      "abc",
      "1.2.3",
      "1e",
      "1e+",
      "+",
      "-",
      ".",
      " 1",
      "1 ",
      "1,5",
      "e5",
      "1e5.5",
      "0x10",
      "NaN",
      "Infinity",
      "1f",
      "1e99999999999",
      "1E-2147483648",
      "--1",
      "1e--1",
      ".e1",
  };
  for (const char* text : texts) EXPECT_THROW(Decimal{text}, NumberFormatException) << text;
}

TEST(Decimal, SetScaleRounds) {
  struct Case {
    const char* text;
    int32_t scale;
    RoundingMode mode;
    const char* expected;
  };
  using enum RoundingMode;
  const Case cases[] = {
      {"1.25", 1, HALF_UP, "1.3"},        {"1.25", 1, HALF_DOWN, "1.2"},    {"1.25", 1, HALF_EVEN, "1.2"},
      {"1.35", 1, HALF_EVEN, "1.4"},      {"-1.25", 1, HALF_UP, "-1.3"},    {"-1.25", 1, HALF_DOWN, "-1.2"},
      {"1.251", 1, HALF_DOWN, "1.3"},     {"1.21", 1, UP, "1.3"},           {"-1.21", 1, UP, "-1.3"},
      {"1.29", 1, DOWN, "1.2"},           {"-1.29", 1, DOWN, "-1.2"},       {"1.21", 1, CEILING, "1.3"},
      {"-1.21", 1, CEILING, "-1.2"},      {"1.21", 1, FLOOR, "1.2"},        {"-1.21", 1, FLOOR, "-1.3"},
      {"1.5", 0, HALF_UP, "2"},           {"2.5", 0, HALF_EVEN, "2"},       {"9.99", 1, HALF_UP, "10.0"},
      {"0.005", 2, HALF_UP, "0.01"},      {"0.004999", 2, HALF_UP, "0.00"}, {"0.0001", 2, HALF_UP, "0.00"},
      {"0.05", 0, HALF_UP, "0"},          {"0.0000000001", 0, UP, "1"},     {"-0.0000000001", 0, FLOOR, "-1"},
      {"0.0000000001", 0, HALF_UP, "0"},  {"5", -1, HALF_UP, "1E+1"},       {"5", -1, HALF_EVEN, "0E+1"},
      {"123.456", -1, HALF_UP, "1.2E+2"}, {"1.5", 3, UNNECESSARY, "1.500"}, {"1.500", 1, UNNECESSARY, "1.5"},
      {"1E+3", 0, UNNECESSARY, "1000"},   {"0.000", 1, UNNECESSARY, "0.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decimal(c.text).setScale(c.scale, c.mode).toString(), c.expected) << c.text << " to " << c.scale;
  }
}

TEST(Decimal, SetScaleUnnecessaryRefusesToRound) {
  try {
    Decimal("1.25").setScale(1, RoundingMode::UNNECESSARY);
    ADD_FAILURE() << "no exception";
  } catch (const ArithmeticException& e) {
    EXPECT_EQ(e.getMessage(), "Rounding necessary");
  }
  EXPECT_THROW(Decimal("1E-1000000").setScale(0), ArithmeticException);
}

TEST(Decimal, GrowthBeyondTheDigitLimitIsRefusedNotCrashed) {
  EXPECT_THROW(Decimal("1").setScale(std::numeric_limits<int32_t>::max()), ArithmeticException);
  EXPECT_THROW(Decimal("1E-2000000000").add(Decimal("1")), ArithmeticException);
  EXPECT_THROW(Decimal("1E+2000000000").toPlainString(), ArithmeticException);
  EXPECT_EQ(Decimal("0").setScale(std::numeric_limits<int32_t>::max()).scale(), std::numeric_limits<int32_t>::max());
}

TEST(Decimal, CompareByValueEqualsByValueAndScale) {
  struct Case {
    const char* a;
    const char* b;
    int compare;
    bool equals;
  };
  const Case cases[] = {
      {"2.0", "2.00", 0, false},
      {"2.0", "2.0", 0, true},
      {"0", "0.000", 0, false},
      {"1.1", "1.10001", -1, false},
      {"-1", "1", -1, false},
      {"1E+3", "999.9999", 1, false},
      {"-1E+3", "-999", -1, false},
      {"0.001", "1E-3", 0, true},
      {"123.0", "1.23E+2", 0, false},
      {"123", "1.23E+2", 0, true},
      {"10", "9.99999", 1, false},
      {"-0.5", "0", -1, false},
      {"1E-1000000000", "1", -1, false},  // decided without aligning a billion digits
      {"1E+1000000000", "-1E+1000000000", 1, false},
  };
  for (const Case& c : cases) {
    const Decimal a(c.a);
    const Decimal b(c.b);
    EXPECT_EQ(a.compareTo(b), c.compare) << c.a << " vs " << c.b;
    EXPECT_EQ(b.compareTo(a), -c.compare) << c.b << " vs " << c.a;
    EXPECT_EQ(a.equals(b), c.equals) << c.a << " vs " << c.b;
    EXPECT_EQ(a == b, c.equals) << c.a << " vs " << c.b;
    if (c.equals) {
      EXPECT_EQ(a.hashCode(), b.hashCode());
    }
  }
}

TEST(Decimal, HashCodeMatchesTheRuntime) {
  EXPECT_EQ(Decimal("2.0").hashCode(), 621);
  EXPECT_EQ(Decimal("-2.00").hashCode(), -6198);
  EXPECT_EQ(Decimal("4294967296").hashCode(), 961);
  EXPECT_EQ(Decimal("18446744073709551616").hashCode(), 29791);
  EXPECT_EQ(Decimal("0.000").hashCode(), 3);
}

TEST(Decimal, Arithmetic) {
  EXPECT_EQ(Decimal("1.5").add(Decimal("2.25")).toString(), "3.75");
  EXPECT_EQ(Decimal("1E+3").add(Decimal("1")).toString(), "1001");
  EXPECT_EQ(Decimal("0.1").add(Decimal("0.2")).toString(), "0.3");
  EXPECT_EQ(Decimal("1.00").subtract(Decimal("1")).toString(), "0.00");
  EXPECT_EQ(Decimal("1").subtract(Decimal("1.5")).toString(), "-0.5");
  EXPECT_EQ(Decimal("-1.5").multiply(Decimal("2.0")).toString(), "-3.00");
  EXPECT_EQ(Decimal("1E+3").multiply(Decimal("1E+3")).toString(), "1E+6");
  EXPECT_EQ(Decimal("7").negate().toString(), "-7");
  EXPECT_EQ(Decimal("-7.0").abs().toString(), "7.0");
  EXPECT_EQ(Decimal("-7.0").signum(), -1);
  EXPECT_EQ(Decimal("0.00").signum(), 0);
  const Decimal tiny(mpz_class(1), std::numeric_limits<int32_t>::min());
  EXPECT_THROW(tiny.multiply(Decimal("1E+1")), ArithmeticException);
  EXPECT_EQ(Decimal(mpz_class(0), std::numeric_limits<int32_t>::min()).multiply(Decimal("0E+1")).scale(),
            std::numeric_limits<int32_t>::min());
}

TEST(Decimal, NarrowingTruncatesThenKeepsLowBits) {
  struct Case {
    const char* text;
    int64_t longValue;
    int32_t intValue;
  };
  const Case cases[] = {
      {"12.7", 12, 12},
      {"-12.7", -12, -12},
      {"0.999", 0, 0},
      {"-1E-100", 0, 0},
      {"9223372036854775807", std::numeric_limits<int64_t>::max(), -1},
      {"9223372036854775808", std::numeric_limits<int64_t>::min(), 0},
      {"18446744073709551617", 1, 1},
      {"1E+19", -8446744073709551616LL, -1981284352},
      {"-1E+19", 8446744073709551616LL, 1981284352},
      {"1E+63", std::numeric_limits<int64_t>::min(), 0},
      {"1E+64", 0, 0},
      {"1E+1000000000", 0, 0},
      {"1E+10", 10000000000LL, 1410065408},
      {"2147483648", 2147483648LL, std::numeric_limits<int32_t>::min()},
      {"-2147483649", -2147483649LL, std::numeric_limits<int32_t>::max()},
      {"4294967296.5", 4294967296LL, 0},
  };
  for (const Case& c : cases) {
    const Decimal d(c.text);
    EXPECT_EQ(d.longValue(), c.longValue) << c.text;
    EXPECT_EQ(d.intValue(), c.intValue) << c.text;
  }
  EXPECT_EQ(Decimal("-12.7").toBigIntegerText(), "-12");
  EXPECT_EQ(Decimal("1E+3").toBigIntegerText(), "1000");
}

TEST(Decimal, DoubleValueIsCorrectlyRounded) {
  EXPECT_EQ(Decimal("0.1").doubleValue(), 0.1);
  EXPECT_EQ(Decimal("123.456").doubleValue(), 123.456);
  EXPECT_EQ(Decimal("-2.5E-3").doubleValue(), -0.0025);
  EXPECT_EQ(Decimal("0.30000000000000004").doubleValue(), 0.1 + 0.2);
  EXPECT_EQ(Decimal("1E+400").doubleValue(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(Decimal("1E-400").doubleValue(), 0.0);
  EXPECT_EQ(Decimal("9007199254740993").doubleValue(), 9007199254740992.0);
  EXPECT_EQ(Decimal("1.1").floatValue(), 1.1f);
}

TEST(Decimal, FromNumbers) {
  struct Case {
    double value;
    const char* expected;
    int32_t scale;
  };
  const Case cases[] = {
      {0.1, "0.1", 1},
      {1.0, "1.0", 1},
      {100.0, "100.0", 1},
      {1e10, "1.0E+10", -9},
      {1e-4, "0.00010", 5},
      {-2.5, "-2.5", 1},
      {1.0 / 3, "0.3333333333333333", 16},
  };
  for (const Case& c : cases) {
    const Decimal d = Decimal::valueOf(c.value);
    EXPECT_EQ(d.toString(), c.expected) << c.value;
    EXPECT_EQ(d.scale(), c.scale) << c.value;
  }
  EXPECT_THROW(Decimal::valueOf(std::nan("")), NumberFormatException);
  EXPECT_THROW(Decimal::valueOf(std::numeric_limits<double>::infinity()), NumberFormatException);
  EXPECT_EQ(Decimal::valueOf(std::numeric_limits<int64_t>::min()).toString(), "-9223372036854775808");
  EXPECT_EQ(Decimal::valueOf(int64_t{42}).scale(), 0);
  EXPECT_EQ(Decimal::valueOf(12345, 2).toString(), "123.45");
  EXPECT_EQ(Decimal().toString(), "0");
  EXPECT_EQ(Decimal("123.4500").precision(), 7);
  EXPECT_EQ(Decimal("0.00").precision(), 1);
  EXPECT_EQ(Decimal("1000").precision(), 4);
}

}  // namespace
}  // namespace plat::math
