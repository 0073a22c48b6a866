#include "platform/time/Time.h"

#include <cstdio>

#include "platform/lang/Exceptions.h"
#include "platform/time/EscapeParser.h"

namespace plat::time {

namespace {

std::int64_t floorMod(std::int64_t a, std::int64_t b) {
  const std::int64_t r = a % b;
  return r < 0 ? r + b : r;
}

}  // namespace

Time::Time(int hour, int minute, int second) {
  std::int64_t carry = 0;
  *this = normalize(hour, minute, second, carry);
}

Time Time::normalize(std::int64_t hour, std::int64_t minute, std::int64_t second, std::int64_t& carryDays) {
  const std::int64_t total = (hour * 60 + minute) * 60 + second;
  const std::int64_t secondOfDay = floorMod(total, kSecondsPerDay);
  carryDays = (total - secondOfDay) / kSecondsPerDay;
  return fromSecondOfDay(secondOfDay);
}

Time Time::fromSecondOfDay(std::int64_t seconds) {
  const std::int64_t s = floorMod(seconds, kSecondsPerDay);
  Time t;
  t.hour_ = static_cast<int>(s / 3600);
  t.minute_ = static_cast<int>(s / 60 % 60);
  t.second_ = static_cast<int>(s % 60);
  return t;
}

Time Time::valueOf(const std::string& text) {
  // Like the runtime, the fields are not range-checked: 25:00:00 is read leniently as 01:00:00.
  detail::EscapeParser p(text);
  const int hour = p.number(1, 2);
  p.expect(':');
  const int minute = p.number(1, 2);
  p.expect(':');
  const int second = p.number(1, 2);
  if (!p.atEnd()) p.fail();
  return Time(hour, minute, second);
}

Time Time::withNanos(int nanos) const {
  if (nanos < 0 || nanos > 999999999) throw plat::lang::IllegalArgumentException("nanos out of range");
  Time t = *this;
  t.nanos_ = nanos;
  return t;
}

std::string Time::toString() const {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hour_, minute_, second_);
  std::string text = buf;
  if (nanos_ != 0) {
    std::snprintf(buf, sizeof buf, ".%09d", nanos_);
    std::string fraction = buf;
    fraction.erase(fraction.find_last_not_of('0') + 1);
    text += fraction;
  }
  return text;
}

}  // namespace plat::time
