#include "platform/time/Timestamp.h"

#include <cstdio>

#include "platform/lang/Exceptions.h"
#include "platform/time/EscapeParser.h"

namespace plat::time {

namespace {

constexpr const char* kFormatMessage = "Timestamp format must be yyyy-mm-dd hh:mm:ss[.fffffffff]";
constexpr int kNanoDigits = 9;

void checkNanos(int nanos) {
  if (nanos < 0 || nanos > kMaxNanos) throw plat::lang::IllegalArgumentException("nanos > 999999999 or < 0");
}

std::string trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

}  // namespace

Timestamp::Timestamp(int year, int month, int day, int hour, int minute, int second, int nanos) : nanos_(nanos) {
  checkNanos(nanos);
  std::int64_t carryDays = 0;
  time_ = Time::normalize(hour, minute, second, carryDays);
  date_ = Date::fromEpochDay(epochDayOf(year, month, day) + carryDays);
}

// The time's own fraction gives way to nanos, the timestamp's.
Timestamp::Timestamp(const Date& date, const Time& time, int nanos)
    : date_(date), time_(time.withNanos(0)), nanos_(nanos) {
  checkNanos(nanos);
}

Timestamp Timestamp::fromEpochSecond(std::int64_t seconds, int nanos) {
  checkNanos(nanos);
  std::int64_t carryDays = 0;
  const Time time = Time::normalize(0, 0, seconds, carryDays);
  return Timestamp(Date::fromEpochDay(carryDays), time, nanos);
}

Timestamp Timestamp::valueOf(const std::string& rawText) {
  const std::string text = trimmed(rawText);
  detail::EscapeParser p(text, kFormatMessage);
  const int year = p.number(4, 4);
  p.expect('-');
  const int month = p.number(1, 2);
  p.expect('-');
  const int day = p.number(1, 2);
  p.expect(' ');
  const int hour = p.number(1, 2);
  p.expect(':');
  const int minute = p.number(1, 2);
  p.expect(':');
  const int second = p.number(1, 2);
  int nanos = 0;
  if (p.accept('.')) {
    int digits = 0;
    nanos = p.number(1, kNanoDigits, digits);
    for (; digits < kNanoDigits; ++digits) nanos *= 10;
  }
  if (!p.atEnd() || month < 1 || month > 12 || day < 1 || day > 31) p.fail();
  return Timestamp(year, month, day, hour, minute, second, nanos);
}

Timestamp Timestamp::withNanos(int nanos) const {
  return Timestamp(date_, time_, nanos);
}

std::string Timestamp::toString() const {
  char fraction[16];
  std::snprintf(fraction, sizeof fraction, "%09d", nanos_);
  int len = kNanoDigits;
  while (len > 1 && fraction[len - 1] == '0') --len;
  fraction[len] = '\0';
  return date_.toString() + " " + time_.toString() + "." + fraction;
}

int Timestamp::hashCode() const {
  const std::int64_t s = toEpochSecond() * 1000 + nanos_ / 1'000'000;
  return static_cast<int>(s ^ (s >> 32));
}

}  // namespace plat::time
