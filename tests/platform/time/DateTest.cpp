#include "platform/time/Date.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "platform/lang/Exceptions.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::time {
namespace {

struct LenientDateCase {
  int year, month, day;
  const char* expected;
};

TEST(Date, LenientFieldsNormaliseByTheCalendar) {
  const LenientDateCase cases[] =
      {
          {2001, 13, 1, "2002-01-01"},  // month 13 is January of the next year
          {2001, 0, 1, "2000-12-01"},   // month 0 is December of the previous year
          {2001, 25, 1, "2003-01-01"},  {2001, -11, 1, "2000-01-01"},
          {2001, 3, 0, "2001-02-28"},                                  // day 0 is the last day of the previous month
          {2000, 3, 0, "2000-02-29"},                                  // ... in a leap year
          {2001, 1, 0, "2000-12-31"},                                  // ... across the year
          {2001, 2, 29, "2001-03-01"},                                 // Feb 29 in a non-leap year
          {2004, 2, 29, "2004-02-29"},                                 // ... in a leap year
          {1900, 2, 29, "1900-03-01"},                                 // century not divisible by 400
          {2000, 2, 30, "2000-03-01"},  {1999, 12, 32, "2000-01-01"},  // year rollover
          {2001, 1, -1, "2000-12-30"},  {2001, 1, 366, "2002-01-01"},
          {1969, 12, 31, "1969-12-31"}, {1, 1, 1, "0001-01-01"},
      };
  for (const auto& c : cases) {
    EXPECT_EQ(Date(c.year, c.month, c.day).toString(), c.expected) << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(Date, EpochDayRoundTripsOverWideRange) {
  for (std::int64_t day = -800'000; day <= 800'000; day += 997) {
    const Date d = Date::fromEpochDay(day);
    ASSERT_EQ(d.toEpochDay(), day);
    ASSERT_EQ(Date(d.getYear(), d.getMonth(), d.getDay()), d);
    ASSERT_GE(d.getDay(), 1);
    ASSERT_LE(d.getDay(), daysInMonth(d.getYear(), d.getMonth()));
  }
  EXPECT_EQ(Date(1970, 1, 1).toEpochDay(), 0);
  EXPECT_EQ(Date(2000, 3, 1).toEpochDay(), 11017);
}

TEST(Date, FieldsBeyondTheSupportedYearsAreRefused) {
  EXPECT_THROW(Date::fromEpochDay(std::numeric_limits<std::int64_t>::max()), plat::lang::IllegalArgumentException);
  EXPECT_THROW(Date::fromEpochDay(std::numeric_limits<std::int64_t>::min()), plat::lang::IllegalArgumentException);
  EXPECT_THROW(Date(2000, 1, std::numeric_limits<int>::max()).plusDays(std::numeric_limits<std::int64_t>::max() / 2),
               plat::lang::IllegalArgumentException);
  EXPECT_EQ(Date(2000, std::numeric_limits<int>::max(), 1).getMonth(), 7);  // 2000 + (2^31-2)/12 years, July
}

TEST(Date, NextDayCarriesMonthAndYear) {
  EXPECT_EQ(Date(1999, 12, 31).nextDay(), Date(2000, 1, 1));
  EXPECT_EQ(Date(2000, 2, 28).nextDay(), Date(2000, 2, 29));
  EXPECT_EQ(Date(2001, 2, 28).nextDay(), Date(2001, 3, 1));
  EXPECT_EQ(Date(2001, 4, 30).nextDay(), Date(2001, 5, 1));
}

TEST(Date, DayOfWeek) {
  EXPECT_EQ(Date(1970, 1, 1).getDayOfWeek(), 4);   // Thursday
  EXPECT_EQ(Date(2026, 12, 9).getDayOfWeek(), 3);  // Wednesday
  EXPECT_EQ(Date(1969, 12, 28).getDayOfWeek(), 0);
}

TEST(Date, ComparesChronologically) {
  EXPECT_LT(Date(1999, 12, 31), Date(2000, 1, 1));
  EXPECT_LT(Date(2000, 1, 31), Date(2000, 2, 1));
  EXPECT_EQ(Date(2000, 13, 1), Date(2001, 1, 1));
  EXPECT_NE(Date(2000, 1, 1).hashCode(), Date(2000, 1, 2).hashCode());
}

TEST(Date, ValueOfReadsTheEscapeForm) {
  EXPECT_EQ(Date::valueOf("2002-07-15"), Date(2002, 7, 15));
  EXPECT_EQ(Date::valueOf("2002-7-5"), Date(2002, 7, 5));
  EXPECT_EQ(Date::valueOf("2001-02-31"), Date(2001, 3, 3));  // accepted and rolled over, as the runtime does
  EXPECT_EQ(Date::valueOf("1970-01-01").toString(), "1970-01-01");
}

TEST(Date, ValueOfRefusesOtherText) {
  for (const char* bad : {"", "2002", "02-07-15", "2002/07/15", "2002-13-01", "2002-00-10", "2002-01-32", "2002-01-00",
                          "20020-01-01", "2002-001-01", " 2002-01-01", "2002-01-01 ", "2002-0a-01"}) {
    EXPECT_THROW(Date::valueOf(bad), plat::lang::IllegalArgumentException) << '"' << bad << '"';
  }
}

struct LenientTimeCase {
  int hour, minute, second;
  const char* expected;
  std::int64_t carry;
};

TEST(Time, LenientFieldsNormaliseAndReportTheDayCarry) {
  const LenientTimeCase cases[] = {
      {12, 30, 60, "12:31:00", 0}, {23, 59, 60, "00:00:00", 1}, {24, 0, 0, "00:00:00", 1},
      {0, 0, -1, "23:59:59", -1},  {10, 75, 0, "11:15:00", 0},  {49, 0, 0, "01:00:00", 2},
  };
  for (const auto& c : cases) {
    std::int64_t carry = 99;
    EXPECT_EQ(Time::normalize(c.hour, c.minute, c.second, carry).toString(), c.expected);
    EXPECT_EQ(carry, c.carry);
    EXPECT_EQ(Time(c.hour, c.minute, c.second).toString(), c.expected);
  }
}

TEST(Time, ValueOfReadsLenientlyAndRefusesBadText) {
  EXPECT_EQ(Time::valueOf("04:05:06"), Time(4, 5, 6));
  EXPECT_EQ(Time::valueOf("4:5:6").toString(), "04:05:06");
  EXPECT_EQ(Time::valueOf("12:00:60").toString(), "12:01:00");
  for (const char* bad : {"", "12:00", "12-00-00", "12:00:00.5", "123:00:00", "a:b:c"}) {
    EXPECT_THROW(Time::valueOf(bad), plat::lang::IllegalArgumentException) << bad;
  }
}

}  // namespace
}  // namespace plat::time
