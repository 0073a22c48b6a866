#include "platform/lang/IntMath.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::lang {
namespace {

constexpr int32_t kIntMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kIntMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kLongMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kLongMax = std::numeric_limits<int64_t>::max();

TEST(IntMath, IntArithmeticWraps) {
  EXPECT_EQ(IntMath::addInt(kIntMax, 1), kIntMin);
  EXPECT_EQ(IntMath::subInt(kIntMin, 1), kIntMax);
  EXPECT_EQ(IntMath::mulInt(65536, 65536), 0);
  EXPECT_EQ(IntMath::mulInt(kIntMax, 2), -2);
  EXPECT_EQ(IntMath::mulInt(kIntMin, -1), kIntMin);
  EXPECT_EQ(IntMath::negInt(kIntMin), kIntMin);
  EXPECT_EQ(IntMath::negInt(5), -5);
}

TEST(IntMath, LongArithmeticWraps) {
  EXPECT_EQ(IntMath::addLong(kLongMax, 1), kLongMin);
  EXPECT_EQ(IntMath::subLong(kLongMin, 1), kLongMax);
  EXPECT_EQ(IntMath::mulLong(kLongMin, -1), kLongMin);
  EXPECT_EQ(IntMath::mulLong(int64_t{1} << 32, int64_t{1} << 32), 0);
  EXPECT_EQ(IntMath::negLong(kLongMin), kLongMin);
}

TEST(IntMath, DivisionTruncatesTowardZero) {
  struct Case {
    int64_t a, b, quotient, remainder;
  };
  const Case intCases[] = {
      {7, 2, 3, 1},    {-7, 2, -3, -1},           {7, -2, -3, 1},
      {-7, -2, 3, -1}, {kIntMin, -1, kIntMin, 0}, {kIntMin, 1, kIntMin, 0},
      {0, 5, 0, 0},
  };
  for (const Case& c : intCases) {
    const auto a = static_cast<int32_t>(c.a);
    const auto b = static_cast<int32_t>(c.b);
    EXPECT_EQ(IntMath::divInt(a, b), c.quotient) << a << " / " << b;
    EXPECT_EQ(IntMath::remInt(a, b), c.remainder) << a << " % " << b;
  }
  const Case longCases[] = {
      {-7, 2, -3, -1},
      {7, -2, -3, 1},
      {kIntMin, -1, -int64_t{kIntMin}, 0},
      {kLongMin, -1, kLongMin, 0},
      {kLongMin, 2, kLongMin / 2, 0},
      {kLongMax, -1, -kLongMax, 0},
      {kLongMin, kLongMax, -1, -1},
  };
  for (const Case& c : longCases) {
    EXPECT_EQ(IntMath::divLong(c.a, c.b), c.quotient) << c.a << " / " << c.b;
    EXPECT_EQ(IntMath::remLong(c.a, c.b), c.remainder) << c.a << " % " << c.b;
  }
}

TEST(IntMath, DivisionByZeroThrowsArithmeticException) {
  const auto expectByZero = [](auto operation) {
    try {
      operation();
      ADD_FAILURE() << "no exception";
    } catch (const ArithmeticException& e) {
      EXPECT_EQ(e.getMessage(), "/ by zero");
    }
  };
  expectByZero([] { IntMath::divInt(1, 0); });
  expectByZero([] { IntMath::remInt(kIntMin, 0); });
  expectByZero([] { IntMath::divLong(1, 0); });
  expectByZero([] { IntMath::remLong(0, 0); });
}

TEST(IntMath, NarrowingKeepsLowBits) {
  EXPECT_EQ(IntMath::longToInt(0x100000001LL), 1);
  EXPECT_EQ(IntMath::longToInt(0xFFFFFFFFLL), -1);
  EXPECT_EQ(IntMath::longToInt(0x80000000LL), kIntMin);
  EXPECT_EQ(IntMath::longToInt(kLongMin), 0);
  EXPECT_EQ(IntMath::intToShort(40000), -25536);
  EXPECT_EQ(IntMath::intToShort(65535), -1);
  EXPECT_EQ(IntMath::intToShort(-32769), 32767);
  EXPECT_EQ(IntMath::intToByte(200), -56);
  EXPECT_EQ(IntMath::intToByte(128), -128);
  EXPECT_EQ(IntMath::intToByte(-129), 127);
  EXPECT_EQ(IntMath::intToChar(-1), u'\xFFFF');
  EXPECT_EQ(IntMath::intToChar(65536 + 65), u'A');
  EXPECT_EQ(IntMath::longToShort(0x123458000LL), -32768);
  EXPECT_EQ(IntMath::longToByte(0x1FFLL), -1);
}

TEST(IntMath, DoubleToIntSaturatesAndTruncates) {
  struct Case {
    double in;
    int32_t expected;
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {nan, 0},
      {inf, kIntMax},
      {-inf, kIntMin},
      {1e10, kIntMax},
      {-1e10, kIntMin},
      {2147483647.9, kIntMax},
      {2147483648.0, kIntMax},
      {-2147483648.9, kIntMin},
      {-2147483649.0, kIntMin},
      {2147483646.5, 2147483646},
      {3.99, 3},
      {-3.99, -3},
      {-0.5, 0},
      {-0.0, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(IntMath::doubleToInt(c.in), c.expected) << c.in;
}

TEST(IntMath, DoubleToLongSaturatesAndTruncates) {
  struct Case {
    double in;
    int64_t expected;
  };
  const double two63 = 9223372036854775808.0;
  const Case cases[] = {
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {std::numeric_limits<double>::infinity(), kLongMax},
      {-std::numeric_limits<double>::infinity(), kLongMin},
      {two63, kLongMax},
      {-two63, kLongMin},
      {std::nextafter(two63, 0.0), 9223372036854774784LL},
      {1e300, kLongMax},
      {-1e300, kLongMin},
      {-1.5, -1},
      {1e15 + 0.5, 1000000000000000LL},
  };
  for (const Case& c : cases) EXPECT_EQ(IntMath::doubleToLong(c.in), c.expected) << c.in;
}

TEST(IntMath, FloatToIntegerSaturates) {
  EXPECT_EQ(IntMath::floatToInt(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(IntMath::floatToInt(3e9f), kIntMax);
  EXPECT_EQ(IntMath::floatToInt(-3e9f), kIntMin);
  EXPECT_EQ(IntMath::floatToInt(2147483520.0f), 2147483520);  // the largest float below 2^31
  EXPECT_EQ(IntMath::floatToInt(-7.9f), -7);
  EXPECT_EQ(IntMath::floatToLong(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(IntMath::floatToLong(1e20f), kLongMax);
  EXPECT_EQ(IntMath::floatToLong(-1e20f), kLongMin);
  EXPECT_EQ(IntMath::floatToLong(16777217.0f), 16777216);
}

TEST(IntMath, ShiftsMaskTheCount) {
  EXPECT_EQ(IntMath::shlInt(1, 32), 1);
  EXPECT_EQ(IntMath::shlInt(1, 31), kIntMin);
  EXPECT_EQ(IntMath::shlInt(1, -1), kIntMin);
  EXPECT_EQ(IntMath::shrInt(-8, 1), -4);
  EXPECT_EQ(IntMath::ushrInt(-1, 28), 15);
  EXPECT_EQ(IntMath::ushrInt(-1, 32), -1);
  EXPECT_EQ(IntMath::shlLong(1, 64), 1);
  EXPECT_EQ(IntMath::shlLong(1, 63), kLongMin);
  EXPECT_EQ(IntMath::ushrLong(-1, 60), 15);
  EXPECT_EQ(IntMath::shrLong(kLongMin, 63), -1);
}

}  // namespace
}  // namespace plat::lang
