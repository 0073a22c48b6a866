// The server's texts of dates and times (ISO style) read as the platform's values, and the process's time zone as
// the session's. A value with an offset (timestamptz) is read as the instant it names, in the process's local
// time; a BC date is the proleptic date it is (year 0 = 1 BC).
#pragma once

#include <string>

#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::sql::pq {

// The parts of "[-]YYYY-MM-DD[ hh:mm:ss[.f]][+hh[:mm[:ss]]][ BC]" or "hh:mm:ss[.f][+hh[:mm]]".
struct ServerTime {
  bool hasDate = false;
  bool hasTime = false;
  bool hasOffset = false;
  int year = 1970;  // proleptic: 1 BC is 0
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int nanos = 0;
  int offsetSeconds = 0;  // east of UTC
};

// False for a text of another shape ("infinity", a year past the platform's range, ...).
bool parseServerTime(const char* text, ServerTime& out);

// The date, time of day or timestamp of a parsed text. A text with a date and an offset is first moved to the
// process's local time.
plat::time::Date dateOf(const ServerTime& parsed);
plat::time::Time timeOf(const ServerTime& parsed);
plat::time::Timestamp timestampOf(const ServerTime& parsed);

// A date as the server reads it: "2024-06-01", "0044-03-15 BC".
std::string serverDate(const plat::time::Date& date);
// A timestamp as the server reads it, with its fraction and, for a year before 1, " BC".
std::string serverTimestamp(const plat::time::Timestamp& stamp);

// The SET command that makes a session's TimeZone the process's: its IANA name where the process has one (the TZ
// variable, or the system's /etc/localtime), else its current offset.
std::string processTimeZoneCommand();
// The same by the offset only, for a server that does not know the name.
std::string processOffsetCommand();

}  // namespace plat::sql::pq
