#include "platform/sqlite/SqliteText.h"

#include "platform/io/Utf8.h"
#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace plat::sql::sqlite {
namespace {

constexpr std::uint32_t kReplacement = 0xFFFD;
constexpr std::size_t kDateLength = 10;  // "yyyy-mm-dd"

[[noreturn]] void badValue(const char* type, const std::string& text) {
  throw SQLException(std::string("Bad value for type ") + type + " : " + text);
}

std::string trimmed(const std::string& text) {
  auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// Splits "date time" or "dateTtime"; a text with a '-' at index 4 starts with a date.
void split(const std::string& text, std::string& date, std::string& time) {
  bool hasDate = text.size() >= kDateLength && text[4] == '-';
  if (!hasDate) {
    date.clear();
    time = text;
    return;
  }
  date = text.substr(0, kDateLength);
  time = text.size() > kDateLength + 1 ? trimmed(text.substr(kDateLength + 1)) : "";
}

// A trailing zone ("Z", "+02:00") is not part of the local time the driver stores.
std::string withoutZone(std::string time) {
  if (!time.empty() && (time.back() == 'Z' || time.back() == 'z')) time.pop_back();
  auto sign = time.find_first_of("+-");
  if (sign != std::string::npos) time.erase(sign);
  return time;
}

void appendUnit(std::vector<std::uint8_t>& out, std::uint32_t unit) {
  out.push_back(static_cast<std::uint8_t>(unit >> 8));
  out.push_back(static_cast<std::uint8_t>(unit & 0xff));
}

}  // namespace

plat::time::Date parseDate(const std::string& raw) {
  std::string date;
  std::string time;
  split(trimmed(raw), date, time);
  if (date.empty()) badValue("date", raw);
  try {
    return plat::time::Date::valueOf(date);
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("date", raw);
  }
}

plat::time::Time parseTime(const std::string& raw) {
  std::string date;
  std::string time;
  split(trimmed(raw), date, time);
  time = withoutZone(time);
  if (auto dot = time.find('.'); dot != std::string::npos) time.erase(dot);
  if (time.empty() && !date.empty()) return plat::time::Time(0, 0, 0);
  try {
    return plat::time::Time::valueOf(time);
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("time", raw);
  }
}

plat::time::Timestamp parseTimestamp(const std::string& raw) {
  std::string date;
  std::string time;
  split(trimmed(raw), date, time);
  if (date.empty()) badValue("timestamp", raw);
  time = withoutZone(time);
  if (time.empty()) time = "00:00:00";
  // Minutes alone ("12:30") are a common stored form.
  if (time.find(':') == time.rfind(':') && time.find(':') != std::string::npos) time += ":00";
  try {
    return plat::time::Timestamp::valueOf(date + " " + time);
  } catch (const plat::lang::IllegalArgumentException&) {
    badValue("timestamp", raw);
  }
}

std::vector<std::uint8_t> utf8ToUtf16be(const std::string& text) {
  std::vector<std::uint8_t> out;
  out.reserve(text.size() * 2);
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 4;
    std::uint32_t cp = kReplacement;
    std::size_t used = 1;
    if (extra == 0) {
      cp = lead;
    } else if (extra <= 3 && i + extra < text.size()) {
      std::uint32_t value = lead & (0x3Fu >> extra);
      bool ok = true;
      for (std::size_t k = 1; k <= extra; ++k) {
        auto next = static_cast<unsigned char>(text[i + k]);
        ok = ok && (next & 0xC0) == 0x80;
        value = (value << 6) | (next & 0x3Fu);
      }
      if (ok) {
        cp = value;
        used = extra + 1;
      }
    }
    i += used;
    if (cp >= 0x10000 && cp <= 0x10FFFF) {
      cp -= 0x10000;
      appendUnit(out, 0xD800 + (cp >> 10));
      appendUnit(out, 0xDC00 + (cp & 0x3FF));
    } else {
      appendUnit(out, cp > 0x10FFFF ? kReplacement : cp);
    }
  }
  return out;
}

std::string utf16beToUtf8(const std::vector<std::uint8_t>& bytes) {
  std::string out;
  std::size_t i = 0;
  while (i < bytes.size()) {
    if (i + 1 >= bytes.size()) {
      plat::io::appendUtf8(out, kReplacement);
      break;
    }
    std::uint32_t unit = (std::uint32_t{bytes[i]} << 8) | bytes[i + 1];
    i += 2;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < bytes.size()) {
      std::uint32_t low = (std::uint32_t{bytes[i]} << 8) | bytes[i + 1];
      if (low >= 0xDC00 && low <= 0xDFFF) {
        i += 2;
        plat::io::appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        continue;
      }
    }
    plat::io::appendUtf8(out, unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit);
  }
  return out;
}

}  // namespace plat::sql::sqlite
