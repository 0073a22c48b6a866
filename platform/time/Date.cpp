#include "platform/time/Date.h"

#include <cstdio>

#include "platform/lang/Exceptions.h"
#include "platform/time/EscapeParser.h"

namespace plat::time {

namespace {

// Floor division and modulo, so that negative offsets normalise downwards.
std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Days from 1970-01-01 to year-month-day of a valid civil date, counted in 400-year eras of 146097 days.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = floorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// Years beyond this are refused: they would not fit the int fields.
constexpr std::int64_t kMaxAbsYear = 200'000'000;
constexpr std::int64_t kMaxAbsEpochDay = (kMaxAbsYear + 1) * 366;

}  // namespace

bool isLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(std::int64_t year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2 && isLeapYear(year)) return 29;
  return kDays[month - 1];
}

std::int64_t epochDayOf(std::int64_t year, std::int64_t month, std::int64_t day) {
  // Month first (13 is January of the next year), then the day as an offset from the first of that month, which
  // makes day 0 the last day of the previous month.
  const std::int64_t m0 = month - 1;
  const std::int64_t y = year + floorDiv(m0, 12);
  const int m = static_cast<int>(m0 - floorDiv(m0, 12) * 12) + 1;
  if (y > kMaxAbsYear || y < -kMaxAbsYear) throw plat::lang::IllegalArgumentException("year out of range");
  return daysFromCivil(y, m, 1) + (day - 1);
}

Date::Date(int year, int month, int day) {
  *this = fromEpochDay(epochDayOf(year, month, day));
}

Date Date::fromEpochDay(std::int64_t days) {
  if (days > kMaxAbsEpochDay || days < -kMaxAbsEpochDay) throw plat::lang::IllegalArgumentException("day out of range");
  // Inverse of daysFromCivil.
  const std::int64_t z = days + 719468;
  const std::int64_t era = floorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const std::int64_t y = yoe + era * 400 + (m <= 2);
  if (y > kMaxAbsYear || y < -kMaxAbsYear) throw plat::lang::IllegalArgumentException("year out of range");
  Date date;
  date.year_ = static_cast<int>(y);
  date.month_ = m;
  date.day_ = d;
  return date;
}

Date Date::valueOf(const std::string& text) {
  detail::EscapeParser p(text);
  const int year = p.number(4, 4);
  p.expect('-');
  const int month = p.number(1, 2);
  p.expect('-');
  const int day = p.number(1, 2);
  // Like the runtime, a day beyond the month's end (February 31) is accepted and rolls over.
  if (!p.atEnd() || month < 1 || month > 12 || day < 1 || day > 31) p.fail();
  return Date(year, month, day);
}

int Date::getDayOfWeek() const {
  // 1970-01-01 was a Thursday (4).
  const std::int64_t d = toEpochDay() + 4;
  return static_cast<int>(d - floorDiv(d, 7) * 7);
}

std::int64_t Date::toEpochDay() const {
  return daysFromCivil(year_, month_, day_);
}

std::string Date::toString() const {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year_, month_, day_);
  return buf;
}

int Date::hashCode() const {
  return year_ * 372 + (month_ - 1) * 31 + (day_ - 1);
}

}  // namespace plat::time
