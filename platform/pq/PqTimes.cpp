#include "platform/pq/PqTimes.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace plat::sql::pq {
namespace {

bool digits(const char*& p, int count, int& out) {
  out = 0;
  for (int i = 0; i < count; ++i, ++p) {
    if (*p < '0' || *p > '9') return false;
    out = out * 10 + (*p - '0');
  }
  return true;
}

bool clock(const char*& p, ServerTime& out) {
  if (!digits(p, 2, out.hour) || *p++ != ':' || !digits(p, 2, out.minute) || *p++ != ':' || !digits(p, 2, out.second))
    return false;
  if (*p == '.') {
    ++p;
    int scale = 100000000;
    int count = 0;
    for (; *p >= '0' && *p <= '9'; ++p, ++count) {
      if (count < 9) out.nanos += (*p - '0') * scale;
      scale /= 10;
    }
    if (count == 0) return false;
  }
  out.hasTime = true;
  return true;
}

bool offset(const char*& p, ServerTime& out) {
  if (*p != '+' && *p != '-') return true;
  const int sign = *p++ == '-' ? -1 : 1;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
  if (!digits(p, 2, hours)) return false;
  if (*p == ':' && (++p, !digits(p, 2, minutes))) return false;
  if (*p == ':' && (++p, !digits(p, 2, seconds))) return false;
  out.offsetSeconds = sign * ((hours * 60 + minutes) * 60 + seconds);
  out.hasOffset = true;
  return true;
}

// The TZ variable's zone name, or the one /etc/localtime links to; empty when there is none.
std::string processZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr && *tz != '\0') {
    std::string name = *tz == ':' ? tz + 1 : tz;
    // A POSIX rule such as "CET-1CEST" carries digits; a name from the database (or "UTC") does not need them.
    if (name.find_first_of("0123456789,<>") == std::string::npos || name.find('/') != std::string::npos) {
      const std::string prefix = "/usr/share/zoneinfo/";
      if (name.rfind(prefix, 0) == 0) name = name.substr(prefix.size());
      return name;
    }
    return "";
  }
  std::error_code error;
  const auto target = std::filesystem::read_symlink("/etc/localtime", error);
  if (!error) {
    const std::string path = target.string();
    const std::size_t at = path.find("zoneinfo/");
    if (at != std::string::npos) return path.substr(at + 9);
  }
  std::ifstream file("/etc/timezone");
  std::string name;
  if (file && std::getline(file, name) && !name.empty()) return name;
  return "";
}

}  // namespace

bool parseServerTime(const char* text, ServerTime& out) {
  out = ServerTime();
  const char* p = text;
  // A date: a year of four or more digits; a time: two digits and a colon.
  if (p[0] >= '0' && p[0] <= '9' && p[1] >= '0' && p[1] <= '9' && p[2] == ':') {
    if (!clock(p, out) || !offset(p, out)) return false;
    return *p == '\0';
  }
  int year = 0;
  int count = 0;
  for (; *p >= '0' && *p <= '9'; ++p, ++count) {
    if (count >= 7) return false;
    year = year * 10 + (*p - '0');
  }
  if (count < 4 || *p++ != '-' || !digits(p, 2, out.month) || *p++ != '-' || !digits(p, 2, out.day)) return false;
  out.hasDate = true;
  if (*p == ' ' && p[1] >= '0' && p[1] <= '9') {
    ++p;
    if (!clock(p, out) || !offset(p, out)) return false;
  }
  bool bc = false;
  if (std::string(p) == " BC") {
    bc = true;
    p += 3;
  }
  if (*p != '\0') return false;
  out.year = bc ? 1 - year : year;
  return out.month >= 1 && out.month <= 12 && out.day >= 1 && out.day <= 31;
}

plat::time::Timestamp timestampOf(const ServerTime& parsed) {
  plat::time::Timestamp wall(parsed.year, parsed.month, parsed.day, parsed.hour, parsed.minute, parsed.second,
                             parsed.nanos);
  if (!parsed.hasOffset || !parsed.hasDate) return wall;
  const std::time_t instant = static_cast<std::time_t>(wall.toEpochSecond() - parsed.offsetSeconds);
  std::tm local{};
  if (localtime_r(&instant, &local) == nullptr) return wall;
  return plat::time::Timestamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                               local.tm_sec, parsed.nanos);
}

plat::time::Date dateOf(const ServerTime& parsed) {
  return timestampOf(parsed).getDate();
}

plat::time::Time timeOf(const ServerTime& parsed) {
  if (!parsed.hasDate) return plat::time::Time(parsed.hour, parsed.minute, parsed.second).withNanos(parsed.nanos);
  const auto stamp = timestampOf(parsed);
  return stamp.getTime().withNanos(stamp.getNanos());
}

std::string serverDate(const plat::time::Date& date) {
  if (date.getYear() > 0) return date.toString();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d BC", 1 - date.getYear(), date.getMonth(), date.getDay());
  return buf;
}

std::string serverTimestamp(const plat::time::Timestamp& stamp) {
  std::string text = stamp.toString();
  if (stamp.getYear() > 0) return text;
  char buf[48];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", 1 - stamp.getYear(), stamp.getMonth(), stamp.getDay());
  return buf + text.substr(text.find(' ', 1)) + " BC";
}

std::string processTimeZoneCommand() {
  const std::string name = processZoneName();
  if (name.empty() || name.find('\'') != std::string::npos) return processOffsetCommand();
  return "SET TimeZone = '" + name + "'";
}

std::string processOffsetCommand() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const long east = local.tm_gmtoff;
  char buf[64];
  std::snprintf(buf, sizeof buf, "SET TIME ZONE INTERVAL '%c%02ld:%02ld' HOUR TO MINUTE", east < 0 ? '-' : '+',
                std::labs(east) / 3600, std::labs(east) / 60 % 60);
  return buf;
}

}  // namespace plat::sql::pq
