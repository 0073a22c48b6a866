// A date and time of day with nanoseconds, with the SQL escape form "yyyy-mm-dd hh:mm:ss.fffffffff". A copyable
// value; out-of-range date and time fields are normalised by the calendar (hour 24 is the next day).
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "platform/time/Date.h"
#include "platform/time/Time.h"

namespace plat::time {

inline constexpr int kMaxNanos = 999'999'999;

class Timestamp {
 public:
  // 1970-01-01 00:00:00.0.
  Timestamp() = default;
  // Lenient in every field but nanos, which must be 0..999,999,999 (else IllegalArgumentException).
  Timestamp(int year, int month, int day, int hour, int minute, int second, int nanos = 0);
  Timestamp(const Date& date, const Time& time, int nanos = 0);

  // Parses "yyyy-mm-dd hh:mm:ss[.f...]" with up to nine fraction digits; anything else throws
  // IllegalArgumentException.
  static Timestamp valueOf(const std::string& text);
  // The timestamp of a count of seconds since 1970-01-01 00:00:00 (no time zone involved) and nanos.
  static Timestamp fromEpochSecond(std::int64_t seconds, int nanos = 0);

  const Date& getDate() const { return date_; }
  const Time& getTime() const { return time_; }
  int getYear() const { return date_.getYear(); }
  int getMonth() const { return date_.getMonth(); }
  int getDay() const { return date_.getDay(); }
  int getHours() const { return time_.getHours(); }
  int getMinutes() const { return time_.getMinutes(); }
  int getSeconds() const { return time_.getSeconds(); }
  int getNanos() const { return nanos_; }

  // Same instant with other nanos (IllegalArgumentException when out of range).
  Timestamp withNanos(int nanos) const;
  Timestamp plusDays(std::int64_t days) const { return Timestamp(date_.plusDays(days), time_, nanos_); }
  Timestamp nextDay() const { return plusDays(1); }
  std::int64_t toEpochSecond() const { return date_.toEpochDay() * kSecondsPerDay + time_.toSecondOfDay(); }

  // "yyyy-mm-dd hh:mm:ss.f": the nanos with trailing zeros removed but at least one digit.
  std::string toString() const;
  int hashCode() const;

  friend bool operator==(const Timestamp&, const Timestamp&) = default;
  friend std::strong_ordering operator<=>(const Timestamp&, const Timestamp&) = default;

 private:
  Date date_;  // field order gives the chronological ordering
  Time time_;
  int nanos_ = 0;  // 0..kMaxNanos
};

}  // namespace plat::time
