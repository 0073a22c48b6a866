// Text conversions of the driver: the escape texts of dates and times as SQLite stores them, and the two-byte
// (UTF-16 big-endian) form of the unicode streams. Pure functions; any thread.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::sql::sqlite {

// Each parse accepts a date, a time or a timestamp text (with ' ' or 'T' between date and time) and takes the part
// it needs; SQLException "Bad value for type <type> : <text>" otherwise.
plat::time::Date parseDate(const std::string& text);
plat::time::Time parseTime(const std::string& text);
plat::time::Timestamp parseTimestamp(const std::string& text);

std::vector<std::uint8_t> utf8ToUtf16be(const std::string& text);
// An odd last byte or a lone surrogate becomes U+FFFD.
std::string utf16beToUtf8(const std::vector<std::uint8_t>& bytes);

}  // namespace plat::sql::sqlite
