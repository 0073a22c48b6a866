#include "platform/time/Timestamp.h"

#include <gtest/gtest.h>

#include "platform/lang/Exceptions.h"

namespace plat::time {
namespace {

TEST(Timestamp, TextKeepsAtLeastOneFractionDigit) {
  struct Case {
    int nanos;
    const char* fraction;
  };
  const Case cases[] = {
      {0, ".0"},
      {7, ".000000007"},
      {100'000'000, ".1"},
      {123'456'789, ".123456789"},
      {120'000'000, ".12"},
      {999'000'000, ".999"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Timestamp(1999, 12, 31, 23, 59, 59, c.nanos).toString(), std::string("1999-12-31 23:59:59") + c.fraction);
  }
  EXPECT_EQ(Timestamp(2000, 1, 1, 0, 0, 0).toString(), "2000-01-01 00:00:00.0");
}

TEST(Timestamp, ValueOfRoundTrips) {
  for (const char* text : {"2000-01-01 00:00:00.0", "1999-12-31 23:59:59.123456789", "1997-04-20 04:05:06.000000007",
                           "1970-01-01 12:00:00.0", "2004-02-29 13:14:15.5"}) {
    EXPECT_EQ(Timestamp::valueOf(text).toString(), text);
  }
}

TEST(Timestamp, ValueOfReadsShortFractionsAsLeadingDigits) {
  EXPECT_EQ(Timestamp::valueOf("2000-01-01 00:00:00.5").getNanos(), 500'000'000);
  EXPECT_EQ(Timestamp::valueOf("2000-01-01 00:00:00.000001").getNanos(), 1000);
  EXPECT_EQ(Timestamp::valueOf("2000-01-01 00:00:00").getNanos(), 0);
  EXPECT_EQ(Timestamp::valueOf("  2000-1-2 3:4:5  ").toString(), "2000-01-02 03:04:05.0");
}

TEST(Timestamp, ValueOfRefusesBadTextWithTheFormatMessage) {
  for (const char* bad :
       {"", "2000-01-01", "2000-01-01 00:00", "2000-01-01T00:00:00", "2000-01-01 00:00:00.",
        "2000-01-01 00:00:00.1234567890", "2000-13-01 00:00:00", "2000-01-01 00:00:00.x", "2000-01-01  00:00:00"}) {
    try {
      Timestamp::valueOf(bad);
      ADD_FAILURE() << "accepted \"" << bad << '"';
    } catch (const plat::lang::IllegalArgumentException& e) {
      EXPECT_EQ(e.getMessage(), "Timestamp format must be yyyy-mm-dd hh:mm:ss[.fffffffff]");
    }
  }
}

TEST(Timestamp, LenientFieldsCarryIntoTheDate) {
  EXPECT_EQ(Timestamp(1999, 12, 31, 23, 59, 60, 0).toString(), "2000-01-01 00:00:00.0");
  EXPECT_EQ(Timestamp(1999, 12, 31, 24, 0, 0, 0).toString(), "2000-01-01 00:00:00.0");
  EXPECT_EQ(Timestamp(2001, 13, 0, 0, 0, 0, 0).toString(), "2001-12-31 00:00:00.0");
  EXPECT_EQ(Timestamp(2000, 3, 1, 0, 0, -1, 0).toString(), "2000-02-29 23:59:59.0");
}

TEST(Timestamp, NanosOutOfRangeAreRefused) {
  EXPECT_THROW(Timestamp(2000, 1, 1, 0, 0, 0, -1), plat::lang::IllegalArgumentException);
  EXPECT_THROW(Timestamp(2000, 1, 1, 0, 0, 0, 1'000'000'000), plat::lang::IllegalArgumentException);
  EXPECT_THROW(Timestamp().withNanos(1'000'000'000), plat::lang::IllegalArgumentException);
}

TEST(Timestamp, NextDayAndOrdering) {
  const Timestamp t(2000, 2, 28, 10, 0, 0, 5);
  EXPECT_EQ(t.nextDay().toString(), "2000-02-29 10:00:00.000000005");
  EXPECT_EQ(t.plusDays(2).toString(), "2000-03-01 10:00:00.000000005");
  EXPECT_LT(Timestamp(2000, 1, 1, 0, 0, 0, 1), Timestamp(2000, 1, 1, 0, 0, 0, 2));
  EXPECT_LT(Timestamp(2000, 1, 1, 23, 59, 59, 999'999'999), Timestamp(2000, 1, 2, 0, 0, 0, 0));
  EXPECT_EQ(Timestamp::fromEpochSecond(86400 + 61, 3), Timestamp(1970, 1, 2, 0, 1, 1, 3));
  EXPECT_EQ(Timestamp::fromEpochSecond(-1), Timestamp(1969, 12, 31, 23, 59, 59, 0));
}

}  // namespace
}  // namespace plat::time
