// A calendar date (year, month 1-12, day) in the proleptic Gregorian calendar, with the SQL escape form
// "yyyy-mm-dd". A copyable value; out-of-range fields given to the constructor are normalised by the calendar.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

namespace plat::time {

class Date {
 public:
  // 1970-01-01.
  Date() = default;
  // Lenient: month 13 is January of the next year, day 0 the last day of the previous month, and so on.
  Date(int year, int month, int day);

  // Parses "yyyy-mm-dd" (one or two digit month and day accepted); anything else throws IllegalArgumentException.
  static Date valueOf(const std::string& text);
  // The date of a count of days since 1970-01-01 (negative before).
  static Date fromEpochDay(std::int64_t days);

  int getYear() const { return year_; }
  int getMonth() const { return month_; }  // 1-12
  int getDay() const { return day_; }      // 1-31
  // 0 = Sunday ... 6 = Saturday.
  int getDayOfWeek() const;

  std::int64_t toEpochDay() const;
  Date plusDays(std::int64_t days) const { return fromEpochDay(toEpochDay() + days); }
  Date nextDay() const { return plusDays(1); }

  // "yyyy-mm-dd"; years outside 0..9999 are written with as many digits as they need.
  std::string toString() const;
  int hashCode() const;

  friend bool operator==(const Date&, const Date&) = default;
  friend std::strong_ordering operator<=>(const Date&, const Date&) = default;

 private:
  int year_ = 1970;  // field order gives the chronological ordering
  int month_ = 1;
  int day_ = 1;
};

// Calendar arithmetic shared by the time classes.
bool isLeapYear(std::int64_t year);
int daysInMonth(std::int64_t year, int month);  // month 1-12
// Days since 1970-01-01 of any (year, month, day) after normalising month and day.
std::int64_t epochDayOf(std::int64_t year, std::int64_t month, std::int64_t day);

}  // namespace plat::time
