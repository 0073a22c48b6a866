// An instant as milliseconds since 1970-01-01 00:00:00 UTC, with conversions to and from Date, Time and Timestamp
// in the default time zone (the process's TZ). A copyable value; the conversions may be called from any thread.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::time {

class DateTime {
 public:
  DateTime() = default;  // the epoch
  explicit DateTime(std::int64_t millis) : millis_(millis) {}

  // The current instant from the system clock.
  static DateTime now();
  // The instant at which the local wall clock of the default time zone shows the given fields.
  static DateTime fromDate(const Date& date);                 // local midnight
  static DateTime fromTime(const Time& time);                 // that time on 1970-01-01, as the runtime's Time does
  static DateTime fromTimestamp(const Timestamp& timestamp);  // nanos truncated to milliseconds

  std::int64_t getTime() const { return millis_; }

  // The local wall-clock fields of this instant in the default time zone.
  Date toDate() const;
  Time toTime() const;
  Timestamp toTimestamp() const;  // nanos = the millisecond part * 1,000,000

  // The runtime's English date text, e.g. "Wed Dec 09 04:15:00 UTC 2026", whatever the locale.
  std::string toString() const;
  int hashCode() const { return static_cast<int>(millis_ ^ (millis_ >> 32)); }

  friend bool operator==(const DateTime&, const DateTime&) = default;
  friend std::strong_ordering operator<=>(const DateTime&, const DateTime&) = default;

 private:
  std::int64_t millis_ = 0;
};

}  // namespace plat::time
