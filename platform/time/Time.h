// A time of day (hour 0-23, minute, second, and a fraction of a second in nanoseconds that is 0 unless set) with
// the SQL escape form "hh:mm:ss" (and ".f..." when there is a fraction). A copyable value; out-of-range
// fields are normalised (second 60 is the next minute); whole days that overflow are dropped, or reported by
// normalize() for callers that carry them into a date.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace plat::time {

class Time {
 public:
  // 00:00:00.
  Time() = default;
  Time(int hour, int minute, int second);

  // Normalises the fields and returns the whole days they overflow (negative for underflow) in carryDays.
  static Time normalize(std::int64_t hour, std::int64_t minute, std::int64_t second, std::int64_t& carryDays);
  // Parses "hh:mm:ss" (one or two digits each); anything else throws IllegalArgumentException.
  static Time valueOf(const std::string& text);
  // The time of a count of seconds since midnight, taken modulo one day.
  static Time fromSecondOfDay(std::int64_t seconds);

  int getHours() const { return hour_; }
  int getMinutes() const { return minute_; }
  int getSeconds() const { return second_; }
  int getNanos() const { return nanos_; }
  // This time with the fraction nanos (0-999,999,999); IllegalArgumentException outside.
  Time withNanos(int nanos) const;
  int toSecondOfDay() const { return (hour_ * 60 + minute_) * 60 + second_; }

  // "hh:mm:ss", then the fraction without trailing zeros when there is one ("10:00:00.75").
  std::string toString() const;
  int hashCode() const { return toSecondOfDay(); }

  friend bool operator==(const Time&, const Time&) = default;
  friend std::strong_ordering operator<=>(const Time&, const Time&) = default;

 private:
  int hour_ = 0;  // field order gives the chronological ordering
  int minute_ = 0;
  int second_ = 0;
  int nanos_ = 0;
};

inline constexpr std::int64_t kSecondsPerDay = 86400;

}  // namespace plat::time
