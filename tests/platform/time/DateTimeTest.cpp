#include "platform/time/DateTime.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace plat::time {
namespace {

// Runs a test body with the process time zone set, and puts the old one back.
class ZoneTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (old_) {
      setenv("TZ", old_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  void useZone(const char* zone) {
    if (!saved_) {
      const char* old = std::getenv("TZ");
      if (old != nullptr) old_ = old;
      saved_ = true;
    }
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  bool saved_ = false;
  std::optional<std::string> old_;
};

using DateTimeZone = ZoneTest;

TEST_F(DateTimeZone, LogTextInUtc) {
  useZone("UTC");
  // 2026-12-09 04:15:00 UTC
  const std::int64_t ms = (Date(2026, 12, 9).toEpochDay() * 86400 + 4 * 3600 + 15 * 60) * 1000LL;
  EXPECT_EQ(DateTime(ms).toString(), "Wed Dec 09 04:15:00 UTC 2026");
  EXPECT_EQ(DateTime(0).toString(), "Thu Jan 01 00:00:00 UTC 1970");
  EXPECT_EQ(DateTime(-1).toString(), "Wed Dec 31 23:59:59 UTC 1969");
}

TEST_F(DateTimeZone, LogTextNamesAZoneWithoutAbbreviationByOffset) {
  useZone("<+0530>-5:30");
  EXPECT_EQ(DateTime(0).toString(), "Thu Jan 01 05:30:00 GMT+05:30 1970");
}

TEST_F(DateTimeZone, ConversionsUseTheDefaultZone) {
  useZone("EST5EDT,M3.2.0,M11.1.0");
  const Timestamp ts(2021, 7, 4, 12, 30, 15, 250'000'000);
  const DateTime dt = DateTime::fromTimestamp(ts);
  EXPECT_EQ(dt.getTime(), 1625416215250LL);  // 16:30:15.250 UTC, daylight time
  EXPECT_EQ(dt.toTimestamp(), ts);
  EXPECT_EQ(dt.toDate(), Date(2021, 7, 4));
  EXPECT_EQ(dt.toTime(), Time(12, 30, 15));
  EXPECT_EQ(DateTime::fromDate(Date(2021, 1, 1)).getTime(), 1609477200000LL);  // 05:00 UTC, standard time
  EXPECT_EQ(DateTime::fromTime(Time(0, 0, 0)).getTime(), 5 * 3600 * 1000LL);
}

TEST_F(DateTimeZone, InstantRoundTripsThroughTimestamp) {
  useZone("UTC");
  for (std::int64_t ms : {0LL, 1LL, -1LL, 999LL, -1001LL, 946684799999LL, 253402300799000LL, -62135596800000LL}) {
    EXPECT_EQ(DateTime::fromTimestamp(DateTime(ms).toTimestamp()).getTime(), ms) << ms;
  }
  EXPECT_EQ(DateTime(-1).toTimestamp().toString(), "1969-12-31 23:59:59.999");
}

TEST(DateTime, NowIsAfterTheYear2020) {
  EXPECT_GT(DateTime::now().getTime(), 1577836800000LL);
}

}  // namespace
}  // namespace plat::time
