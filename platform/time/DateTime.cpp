#include "platform/time/DateTime.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/lang/Exceptions.h"

namespace plat::time {

namespace {

constexpr std::int64_t kMillisPerSecond = 1000;
constexpr int kNanosPerMilli = 1'000'000;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// The local wall-clock fields of a second since the epoch.
std::tm localFields(std::int64_t epochSecond) {
  const std::time_t t = static_cast<std::time_t>(epochSecond);
  std::tm fields{};
  if (localtime_r(&t, &fields) == nullptr) throw plat::lang::IllegalArgumentException("instant out of range");
  return fields;
}

// The second since the epoch at which the local wall clock shows the given fields. Fields that fall into a gap of a
// daylight-saving change come out as the later offset would read them, as the runtime's lenient calendar does.
std::int64_t localEpochSecond(const Date& date, const Time& time) {
  std::tm fields{};
  fields.tm_year = date.getYear() - 1900;
  fields.tm_mon = date.getMonth() - 1;
  fields.tm_mday = date.getDay();
  fields.tm_hour = time.getHours();
  fields.tm_min = time.getMinutes();
  fields.tm_sec = time.getSeconds();
  fields.tm_isdst = -1;
  // mktime answers -1 both for failure and for one second before the epoch; errno tells them apart.
  errno = 0;
  const std::time_t t = mktime(&fields);
  if (t == static_cast<std::time_t>(-1) && errno != 0) throw plat::lang::IllegalArgumentException("date out of range");
  return static_cast<std::int64_t>(t);
}

// The zone's short name; a zone without one is written as the runtime does, "GMT+hh:mm".
std::string zoneName(const std::tm& fields) {
  const char* name = fields.tm_zone;
  if (name != nullptr && name[0] != '\0' && name[0] != '+' && name[0] != '-') return name;
  long offset = fields.tm_gmtoff / 60;
  const char sign = offset < 0 ? '-' : '+';
  if (offset < 0) offset = -offset;
  char buf[32];
  std::snprintf(buf, sizeof buf, "GMT%c%02ld:%02ld", sign, offset / 60, offset % 60);
  return buf;
}

}  // namespace

DateTime DateTime::now() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  return DateTime(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

DateTime DateTime::fromDate(const Date& date) {
  return DateTime(localEpochSecond(date, Time()) * kMillisPerSecond);
}

DateTime DateTime::fromTime(const Time& time) {
  return DateTime(localEpochSecond(Date(), time) * kMillisPerSecond);
}

DateTime DateTime::fromTimestamp(const Timestamp& ts) {
  return DateTime(localEpochSecond(ts.getDate(), ts.getTime()) * kMillisPerSecond + ts.getNanos() / kNanosPerMilli);
}

Date DateTime::toDate() const {
  return toTimestamp().getDate();
}

Time DateTime::toTime() const {
  return toTimestamp().getTime();
}

Timestamp DateTime::toTimestamp() const {
  const std::int64_t second = floorDiv(millis_, kMillisPerSecond);
  const int millis = static_cast<int>(millis_ - second * kMillisPerSecond);
  const std::tm f = localFields(second);
  return Timestamp(f.tm_year + 1900, f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, millis * kNanosPerMilli);
}

std::string DateTime::toString() const {
  static constexpr const char* kDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::tm f = localFields(floorDiv(millis_, kMillisPerSecond));
  char buf[96];
  std::snprintf(buf, sizeof buf, "%s %s %02d %02d:%02d:%02d %s %d", kDays[f.tm_wday], kMonths[f.tm_mon], f.tm_mday,
                f.tm_hour, f.tm_min, f.tm_sec, zoneName(f).c_str(), f.tm_year + 1900);
  return buf;
}

}  // namespace plat::time
