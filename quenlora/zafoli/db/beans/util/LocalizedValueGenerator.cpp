#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/Types.h"
#include "platform/text/DateFormat.h"
#include "platform/text/DecimalFormatSymbols.h"
#include "platform/text/NumberFormat.h"
#include "platform/text/ParseException.h"
#include "quenlora/zafoli/db/beans/util/NumberConverter.h"
#include "quenlora/zafoli/db/beans/util/UtilResourceLoader.h"

namespace quenlora::zafoli::db::beans::util {

namespace {

using plat::lang::Value;
using plat::sql::Types;
using plat::text::DateFormat;

constexpr int kGroupingSize = 3;
constexpr int kStyleCount = 4;  // FULL, LONG, MEDIUM, SHORT

// ---- UTF-8 and code points: separators may be several bytes long (U+00A0, U+202F). ----

std::u32string toU32(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp;
    int extra;
    if (c < 0x80)
      cp = c, extra = 0;
    else if ((c & 0xE0) == 0xC0)
      cp = c & 0x1F, extra = 1;
    else if ((c & 0xF0) == 0xE0)
      cp = c & 0x0F, extra = 2;
    else if ((c & 0xF8) == 0xF0)
      cp = c & 0x07, extra = 3;
    else
      cp = 0xFFFD, extra = 0;
    ++i;
    for (int k = 0; k < extra; ++k, ++i) {
      if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
        cp = 0xFFFD;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    }
    out.push_back(cp);
  }
  return out;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string toU8(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t cp : s) appendUtf8(out, cp);
  return out;
}

int32_t utf16Length(const std::u32string& s) {
  int32_t n = 0;
  for (char32_t cp : s) n += cp > 0xFFFF ? 2 : 1;
  return n;
}

bool isSpaceSeparator(char32_t c) {
  return c == U' ' || c == 0xA0 || c == 0x202F;
}

std::u32string upper(std::u32string s) {
  for (char32_t& c : s) {
    if (c >= U'a' && c <= U'z') c -= 32;
  }
  return s;
}

std::size_t count(const std::u32string& s, char32_t c) {
  std::size_t n = 0;
  for (char32_t x : s) n += x == c;
  return n;
}

// ---- Per-locale state: symbols and the formatters, made once per locale. ----

struct LocaleState {
  explicit LocaleState(const plat::text::Locale& l);

  plat::text::Locale locale;
  char32_t decimal;
  char32_t grouping;
  char32_t minus;
  bool groupsWithSpace;
  std::string decimalText, groupingText, minusText;
  std::string decZeroString;  // "0", the decimal separator, "0"
  int defFractionDigits;
  // Parsing only, grouping always on: never reconfigured, so no call depends on what an earlier one left.
  std::unique_ptr<plat::text::NumberFormat> parseFormat;
  // Used only where our own digit layout does not match the locale's (grouping other than by threes).
  std::unique_ptr<plat::text::NumberFormat> layoutFormat;
  bool ownLayout = true;
  std::unique_ptr<DateFormat> longDate, longTime, longDateTime;
  // The last texts the long formatters wrote: a bound value is formatted several times in a row (the change test
  // of its data item, then each output), and a formatter is a fixed function of the instant.
  struct Formatted {
    const DateFormat* format = nullptr;
    int64_t millis = 0;
    std::string text;
  };
  static constexpr int kFormattedKept = 4;
  Formatted formatted[kFormattedKept];
  int nextFormatted = 0;

  std::string formatLong(const DateFormat& format, int64_t millis) {
    for (const Formatted& f : formatted) {
      if (f.format == &format && f.millis == millis) return f.text;
    }
    Formatted& slot = formatted[nextFormatted];
    nextFormatted = (nextFormatted + 1) % kFormattedKept;
    slot.text = format.format(millis);
    slot.format = &format;
    slot.millis = millis;
    return slot.text;
  }
  std::unique_ptr<DateFormat> dateStyles[kStyleCount], timeStyles[kStyleCount], dateTimeStyles[kStyleCount];

  DateFormat& dateFormat(int style) {
    if (!dateStyles[style]) dateStyles[style] = DateFormat::getDateInstance(style, locale);
    return *dateStyles[style];
  }
  DateFormat& timeFormat(int style) {
    if (!timeStyles[style]) timeStyles[style] = DateFormat::getTimeInstance(style, locale);
    return *timeStyles[style];
  }
  DateFormat& dateTimeFormat(int style) {
    if (!dateTimeStyles[style]) dateTimeStyles[style] = DateFormat::getDateTimeInstance(style, style, locale);
    return *dateTimeStyles[style];
  }
};

// The instant at which the local wall clock shows a date and time, exactly as plat::time::DateTime computes it (the
// C library's zone), without mktime, which reads the zone file again on every call. The offset the last call found
// is guessed and confirmed with localtime_r; where the offset changes within a day of the instant (a daylight-saving
// change, where the wall clock skips or repeats), DateTime decides as before. Not thread-safe: used under the lock.
class LocalClock {
 public:
  int64_t millisOf(const plat::time::Date& date, const plat::time::Time& time, int millis) {
    const int64_t wall = date.toEpochDay() * kSecondsPerDay + time.toSecondOfDay();
    for (int attempt = 0; attempt < 2; ++attempt) {
      const int64_t guess = wall - offset_;
      std::tm fields{};
      if (!local(guess, fields)) break;
      if (matches(fields, date, time)) {
        if (offsetAt(guess - kSecondsPerDay) != fields.tm_gmtoff ||
            offsetAt(guess + kSecondsPerDay) != fields.tm_gmtoff)
          break;
        return guess * 1000 + millis;
      }
      offset_ = fields.tm_gmtoff;
    }
    return plat::time::DateTime::fromTimestamp(plat::time::Timestamp(date.getYear(), date.getMonth(), date.getDay(),
                                                                     time.getHours(), time.getMinutes(),
                                                                     time.getSeconds(), millis * 1000000))
        .getTime();
  }

 private:
  static constexpr int64_t kSecondsPerDay = 86400;

  static bool local(int64_t second, std::tm& fields) {
    const std::time_t t = static_cast<std::time_t>(second);
    return localtime_r(&t, &fields) != nullptr;
  }
  static long offsetAt(int64_t second) {
    std::tm fields{};
    return local(second, fields) ? fields.tm_gmtoff : LONG_MIN;
  }
  static bool matches(const std::tm& f, const plat::time::Date& date, const plat::time::Time& time) {
    return f.tm_year + 1900 == date.getYear() && f.tm_mon + 1 == date.getMonth() && f.tm_mday == date.getDay() &&
           f.tm_hour == time.getHours() && f.tm_min == time.getMinutes() && f.tm_sec == time.getSeconds();
  }

  long offset_ = 0;  // seconds east of UTC found last
};

struct Generator {
  std::mutex mutex;
  LocalClock clock;                                            // guarded by mutex
  std::map<std::string, std::unique_ptr<LocaleState>> states;  // guarded by mutex
  LocaleState* current = nullptr;                              // guarded by mutex
  NumberConverter numberConv;

  // The state of the default locale; the caller holds mutex.
  LocaleState& state() {
    plat::text::Locale locale = plat::text::Locale::getDefault();
    if (current != nullptr && current->locale == locale) return *current;
    auto& slot = states[locale.toString()];
    if (!slot) slot = std::make_unique<LocaleState>(locale);
    current = slot.get();
    return *current;
  }
};

Generator& generator() {
  static Generator* g = new Generator();  // lives until the process ends
  return *g;
}

// ---- Number layout from decimal digits: value = digits * 10^exponent. ----

struct DecimalDigits {
  bool negative = false;
  std::string digits;  // no sign; "0" for zero
  int exponent = 0;
};

DecimalDigits digitsOf(int64_t v) {
  DecimalDigits d;
  d.negative = v < 0;
  uint64_t magnitude = d.negative ? 0 - static_cast<uint64_t>(v) : static_cast<uint64_t>(v);
  d.digits = std::to_string(magnitude);
  return d;
}

DecimalDigits digitsOf(double v) {
  DecimalDigits d;
  d.negative = std::signbit(v);
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(v), std::chars_format::scientific);
  std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::size_t e = text.find('e');
  std::string mantissa;
  for (char c : text.substr(0, e)) {
    if (c != '.') mantissa.push_back(c);
  }
  int exp = 0;
  std::from_chars(text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0), text.data() + text.size(), exp);
  d.digits = mantissa;
  d.exponent = exp - static_cast<int>(mantissa.size() - 1);
  return d;
}

DecimalDigits digitsOf(const plat::math::Decimal& v) {
  DecimalDigits d;
  std::string text = v.unscaledText();
  d.negative = !text.empty() && text[0] == '-';
  d.digits = d.negative ? text.substr(1) : text;
  d.exponent = -v.scale();
  return d;
}

// Adds one unit in the last place of a digit string; the string grows by a digit on a full carry.
void incrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(0, "1");
}

// The text of d with at most maxFraction decimals (rounded half-even, trailing zeros dropped), in the symbols
// of state, grouped by threes when grouping.
std::string layout(const LocaleState& state, const DecimalDigits& d, int maxFraction, bool grouping) {
  std::string integer, fraction;
  const int n = static_cast<int>(d.digits.size());
  if (d.exponent >= 0) {
    integer = d.digits == "0" ? "0" : d.digits + std::string(static_cast<std::size_t>(d.exponent), '0');
  } else {
    int k = -d.exponent;
    if (n > k) {
      integer = d.digits.substr(0, static_cast<std::size_t>(n - k));
      fraction = d.digits.substr(static_cast<std::size_t>(n - k));
    } else {
      integer = "0";
      fraction = std::string(static_cast<std::size_t>(k - n), '0') + d.digits;
    }
  }
  if (static_cast<int>(fraction.size()) > maxFraction) {
    std::string kept = fraction.substr(0, static_cast<std::size_t>(maxFraction));
    std::string dropped = fraction.substr(static_cast<std::size_t>(maxFraction));
    bool up = dropped[0] > '5';
    if (dropped[0] == '5') {
      bool beyond = dropped.find_first_not_of('0', 1) != std::string::npos;
      char last = kept.empty() ? integer.back() : kept.back();
      up = beyond || ((last - '0') % 2 == 1);
    }
    if (up) {
      std::string all = integer + kept;
      incrementDigits(all);
      integer = all.substr(0, all.size() - kept.size());
      kept = all.substr(all.size() - kept.size());
    }
    fraction = kept;
  }
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  std::size_t firstNonZero = integer.find_first_not_of('0');
  integer = firstNonZero == std::string::npos ? "0" : integer.substr(firstNonZero);

  std::string out;
  out.reserve(integer.size() + fraction.size() + 12);
  if (d.negative) out += state.minusText;
  if (grouping) {
    const std::size_t len = integer.size();
    for (std::size_t i = 0; i < len; ++i) {
      if (i > 0 && (len - i) % kGroupingSize == 0) out += state.groupingText;
      out.push_back(integer[i]);
    }
  } else {
    out += integer;
  }
  if (!fraction.empty()) {
    out += state.decimalText;
    out += fraction;
  }
  return out;
}

LocaleState::LocaleState(const plat::text::Locale& l) : locale(l) {
  plat::text::DecimalFormatSymbols symbols(locale);
  decimal = symbols.getDecimalSeparator();
  grouping = symbols.getGroupingSeparator();
  minus = symbols.getMinusSign();
  groupsWithSpace = isSpaceSeparator(grouping);
  decimalText = symbols.getDecimalSeparatorText();
  groupingText = symbols.getGroupingSeparatorText();
  minusText = symbols.getMinusSignText();
  decZeroString = "0" + decimalText + "0";
  parseFormat = plat::text::NumberFormat::getInstance(locale);
  parseFormat->setGroupingUsed(true);
  defFractionDigits = parseFormat->getMaximumFractionDigits();
  layoutFormat = parseFormat->clone();
  // Our layout groups by threes; a locale that groups otherwise is formatted by the locale's own formatter.
  const double probe = -1234567.125;
  ownLayout = layout(*this, digitsOf(probe), 3, true) == parseFormat->format(probe);
  longDate = DateFormat::getDateInstance(DateFormat::LONG, locale);
  longTime = DateFormat::getTimeInstance(DateFormat::LONG, locale);
  longDateTime = DateFormat::getDateTimeInstance(DateFormat::LONG, DateFormat::LONG, locale);
}

// ---- The rules of the value texts, on code points. ----

bool isNumberIn(const LocaleState& s, const std::u32string& text) {
  for (char32_t c : upper(text)) {
    bool ok = (c >= U'0' && c <= U'9') || c == s.decimal || c == U'E' || c == s.minus || c == U'+' || c == s.grouping ||
              (s.groupsWithSpace && isSpaceSeparator(c));
    if (!ok) return false;
  }
  return true;
}

bool isScientificIn(const LocaleState& s, const std::u32string& raw) {
  std::u32string text = upper(raw);
  if (count(text, U'E') != 1) return false;
  std::size_t e = text.find(U'E');
  if (e == 0 || e == text.size() - 1) return false;
  if (count(text, U'.') != 1) return false;
  std::size_t dot = text.find(U'.');
  if (dot != 1 || dot >= text.size() - 1) return false;
  return isNumberIn(s, text);
}

std::u32string normalise(const LocaleState& s, const std::u32string& raw) {
  std::u32string text = upper(raw);
  if (s.groupsWithSpace) {
    for (char32_t& c : text) {
      if (isSpaceSeparator(c)) c = s.grouping;
    }
  }
  if (!isScientificIn(s, text) && text.find(s.decimal) != std::u32string::npos) {
    while (!text.empty() && text.back() == U'0') text.pop_back();
  }
  std::size_t e = text.find(U'E');
  if (e != std::u32string::npos && text.size() - e - 1 >= 2 && text[e + 1] == U'+') text.erase(e + 1, 1);
  while ((e = text.find(U'E')) != std::u32string::npos && text.size() - e - 1 >= 2 && text[e + 1] == U'0') {
    text.erase(e + 1, 1);
  }
  std::size_t dec = text.find(s.decimal);
  e = text.find(U'E');
  if (dec != std::u32string::npos && e != std::u32string::npos && e > dec) {
    while (e - dec > 2 && text[e - 1] == U'0') {
      text.erase(e - 1, 1);
      --e;
    }
  }
  return text;
}

std::u32string stripGrouping(const LocaleState& s, const std::u32string& text) {
  std::u32string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c == s.grouping || (s.groupsWithSpace && isSpaceSeparator(c))) continue;
    out.push_back(c);
  }
  return out;
}

std::u32string prepareOld(const LocaleState& s, const std::u32string& raw, bool throughConverter) {
  std::u32string text = stripGrouping(s, raw);
  std::size_t lead = 0;
  while (lead < text.size() && text[lead] == U'0') ++lead;
  text.erase(0, lead);
  if (throughConverter && !isScientificIn(s, text) && text.find(s.decimal) != std::u32string::npos) {
    while (!text.empty() && text.back() == U'0') text.pop_back();
  }
  if (!text.empty() && text.back() == s.decimal) text.pop_back();
  if (!text.empty() && text.front() == s.decimal) text.insert(0, 1, U'0');
  if (text.empty()) text = U"0";
  return text;
}

std::u32string prepareNew(const LocaleState& s, const std::u32string& raw, bool throughConverter) {
  std::u32string text = raw;
  if (text.empty()) {
    text = U"0";
  } else if (text.front() == s.grouping) {
    text.insert(0, 1, U'0');
  }
  return prepareOld(s, text, throughConverter);
}

// ---- Formatting. ----

int scaleOf(const LocaleState& s, const Value& number) {
  int scale = s.defFractionDigits;
  switch (number.kind()) {
    case Value::Kind::Float:
    case Value::Kind::Double: {
      // The standard text is read with its own alphabet, whatever the locale's separators are.
      std::string text = number.toString();
      for (char& c : text) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      if (text.find_first_not_of("0123456789.E-") != std::string::npos) return 0;
      std::size_t dot = text.find('.');
      if (dot == std::string::npos || dot == text.size() - 1) return 0;
      std::size_t e = text.find('E');
      int digits = static_cast<int>((e == std::string::npos ? text.size() : e) - dot - 1);
      if (e == std::string::npos) {
        scale = digits;
      } else {
        int exponent = 0;
        auto r = std::from_chars(text.data() + e + 1, text.data() + text.size(), exponent);
        if (r.ec != std::errc() || r.ptr != text.data() + text.size()) exponent = 0;
        scale = std::max(0, digits - exponent);
      }
      break;
    }
    case Value::Kind::Decimal:
      scale = number.getDecimal().scale();
      break;
    default:
      break;
  }
  return std::clamp(scale, 0, LocalizedValueGenerator::kMaxScale);
}

std::string formatDouble(LocaleState& s, double v, int scale, bool grouping) {
  if (!std::isfinite(v)) {
    throw plat::lang::IllegalArgumentException("Cannot format the number " + plat::lang::Double::toString(v));
  }
  if (s.ownLayout) return layout(s, digitsOf(v), scale, grouping);
  s.layoutFormat->setGroupingUsed(grouping);
  s.layoutFormat->setMaximumFractionDigits(scale);
  return s.layoutFormat->format(v);
}

std::string formatLong(LocaleState& s, int64_t v, bool grouping) {
  if (s.ownLayout) return layout(s, digitsOf(v), 0, grouping);
  s.layoutFormat->setGroupingUsed(grouping);
  return s.layoutFormat->format(v);
}

std::string formatNumberValue(LocaleState& s, const Value& v, bool grouping) {
  switch (v.kind()) {
    case Value::Kind::Float:
    case Value::Kind::Double:
      return formatDouble(s, v.doubleValue(), scaleOf(s, v), grouping);
    case Value::Kind::Decimal:
      // From the decimal's own digits: a double would lose digits beyond its 17.
      return layout(s, digitsOf(v.getDecimal()), scaleOf(s, v), grouping);
    case Value::Kind::Short:
    case Value::Kind::Int:
    case Value::Kind::Long:
      return formatLong(s, v.longValue(), grouping);
    default:
      // Any other number (a byte) through its text as a decimal.
      return layout(s, digitsOf(plat::math::Decimal(v.toString())), s.defFractionDigits, grouping);
  }
}

// ---- Parsing. ----

plat::text::ParseException refused() {
  return plat::text::ParseException(LocalizedValueGenerator::parseExceptionMessage(), 0);
}

Value buildNumber(Generator& g, LocaleState& s, const plat::text::ParsedNumber& parsed, int sqlType, bool empty,
                  bool& throughConverter) {
  throughConverter = false;
  switch (sqlType) {
    case Types::TINYINT:
    case Types::SMALLINT:
      return Value::ofShort(static_cast<int16_t>(static_cast<uint16_t>(parsed.longValue())));
    case Types::BIGINT:
      return Value::ofLong(parsed.longValue());
    case Types::INTEGER:
      return Value::ofInt(static_cast<int32_t>(static_cast<uint32_t>(parsed.longValue())));
    default:
      break;
  }
  const double d = parsed.doubleValue();
  if (empty) {
    if (sqlType == Types::REAL) return Value::ofFloat(static_cast<float>(d));
    if (sqlType == Types::NUMERIC || sqlType == Types::DECIMAL) return Value(plat::math::Decimal::valueOf(d));
    return Value::ofDouble(d);
  }
  throughConverter = true;
  std::string text = toU8(normalise(s, toU32(g.numberConv.form(d))));
  if (sqlType == Types::REAL) return Value::ofFloat(plat::lang::Float::parseFloat(text));
  if (sqlType == Types::NUMERIC || sqlType == Types::DECIMAL) return Value(plat::math::Decimal(text));
  return Value::ofDouble(plat::lang::Double::parseDouble(text));
}

bool parseDateWith(DateFormat& format, const std::string& text, int32_t length, int64_t& millis) {
  plat::text::ParsePosition pos(0);
  auto parsed = format.parse(text, pos);
  // A date followed by anything else is not that date.
  if (!parsed || pos.getIndex() != length) return false;
  millis = *parsed;
  return true;
}

// Whether text is made only of what an SQL date, time or timestamp literal holds, so that texts of the locale's
// formats are not sent through the literal parsers (and their exceptions) at all.
bool mayBeLiteral(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789-:. ") == std::string::npos;
}

bool parseLiteral(const std::string& text, int sqlType, plat::time::DateTime& out) {
  if (!mayBeLiteral(text)) return false;
  try {
    if (sqlType == Types::DATE)
      out = plat::time::DateTime::fromDate(plat::time::Date::valueOf(text));
    else if (sqlType == Types::TIME)
      out = plat::time::DateTime::fromTime(plat::time::Time::valueOf(text));
    else
      out = plat::time::DateTime::fromTimestamp(plat::time::Timestamp::valueOf(text));
    return true;
  } catch (const plat::lang::IllegalArgumentException&) {
    return false;
  }
}

}  // namespace

std::string LocalizedValueGenerator::parseExceptionMessage() {
  static const std::string* message =
      new std::string(UtilResourceLoader::text("Parse Exception while converting string to number"));
  return *message;
}

Value LocalizedValueGenerator::formatValue(const Value& value, bool grouping) {
  if (value.isNull()) return Value();
  const bool number = value.isNumber();
  if (!number && !isObjOfDateType(value)) return value;
  Generator& g = generator();
  try {
    std::lock_guard<std::mutex> lock(g.mutex);
    LocaleState& s = g.state();
    if (number) return Value(formatNumberValue(s, value, grouping));
    switch (value.kind()) {
      case Value::Kind::Date:
        return Value(s.formatLong(*s.longDate, g.clock.millisOf(value.getDate(), plat::time::Time(), 0)));
      case Value::Kind::Time:
        return Value(s.formatLong(*s.longTime, g.clock.millisOf(plat::time::Date(), value.getTime(), 0)));
      default: {
        const plat::time::Timestamp& stamp = value.getTimestamp();
        return Value(s.formatLong(*s.longDateTime,
                                  g.clock.millisOf(stamp.getDate(), stamp.getTime(), stamp.getNanos() / 1000000)));
      }
    }
  } catch (const plat::lang::Throwable& failure) {
    plat::lang::System::out().println("Exception: " + failure.getMessage());
    return Value();
  }
}

Value LocalizedValueGenerator::parseNumberValue(const std::string& text, int sqlType) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  LocaleState& s = g.state();
  const bool empty = text.empty();
  std::u32string normalised =
      empty ? toU32(isNumberOfIntegerType(sqlType) ? INT_ZERO_STRING : s.decZeroString) : normalise(s, toU32(text));
  const std::string input = toU8(normalised);
  plat::text::ParsePosition pos(0);
  std::optional<plat::text::ParsedNumber> parsed = s.parseFormat->parse(input, pos);
  if (!parsed) throw plat::text::ParseException("Unparseable number: \"" + input + "\"", pos.getErrorIndex());
  if (!parsed->isLong() && !std::isfinite(parsed->doubleValue())) throw refused();
  const bool consumedAll = pos.getIndex() == utf16Length(normalised);

  bool throughConverter = false;
  Value result = buildNumber(g, s, *parsed, sqlType, empty, throughConverter);
  if (empty) return result;

  const std::string formatted = formatNumberValue(s, result, false);
  if (formatted == INT_ZERO_STRING || formatted == s.decZeroString) {
    // Zero shows alike for many texts; only a parse that read all of the text may take this shortcut.
    if (!consumedAll) throw refused();
    return result;
  }
  std::u32string oldSide = prepareOld(s, normalised, throughConverter);
  std::u32string newSide = prepareNew(s, toU32(formatted), throughConverter);
  if (!isScientificIn(s, oldSide) && oldSide != newSide) throw refused();
  return result;
}

std::optional<plat::time::DateTime> LocalizedValueGenerator::parseDateValue(const std::string& text, int sqlType) {
  if (text.empty()) return std::nullopt;
  if (sqlType != Types::DATE && sqlType != Types::TIME && sqlType != Types::TIMESTAMP) return std::nullopt;
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  LocaleState& s = g.state();
  // The default style first, then every style in turn; the SQL literal before each.
  const int styles[] = {DateFormat::DEFAULT, DateFormat::FULL, DateFormat::LONG, DateFormat::MEDIUM, DateFormat::SHORT};
  auto orderOf = [&](int style, DateFormat* order[3]) {
    if (sqlType == Types::DATE) {
      order[0] = &s.dateFormat(style), order[1] = &s.dateTimeFormat(style), order[2] = &s.timeFormat(style);
    } else if (sqlType == Types::TIME) {
      order[0] = &s.timeFormat(style), order[1] = &s.dateTimeFormat(style), order[2] = &s.dateFormat(style);
    } else {
      order[0] = &s.dateTimeFormat(style), order[1] = &s.dateFormat(style), order[2] = &s.timeFormat(style);
    }
  };
  {
    plat::time::DateTime literal;
    if (parseLiteral(text, sqlType, literal)) return literal;
  }
  // A text that is exactly one style's rendering of an instant in the column's own kind (what formatValue writes, or
  // what a user copies from a display) reads as that instant in every earlier format of the sequence that reads all
  // of it, so it answers without running their lenient parsers. Renderings of the other kinds are not taken so:
  // a time format reads a German date such as 15.03.2024 whole, as a time, and comes first for a TIME column.
  // Anything else takes the full sequence below.
  for (int style : styles) {
    DateFormat* order[3];
    orderOf(style, order);
    if (std::optional<int64_t> exact = order[0]->parseExact(text)) return plat::time::DateTime(*exact);
  }
  const int32_t length = utf16Length(toU32(text));
  for (int style : styles) {
    plat::time::DateTime literal;
    if (parseLiteral(text, sqlType, literal)) return literal;
    DateFormat* order[3];
    orderOf(style, order);
    for (DateFormat* format : order) {
      int64_t millis = 0;
      if (parseDateWith(*format, text, length, millis)) return plat::time::DateTime(millis);
    }
  }
  throw plat::text::ParseException("Unparseable date: \"" + text + "\"", 0);
}

std::string LocalizedValueGenerator::formatNumber(const std::string& text) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return toU8(normalise(g.state(), toU32(text)));
}

bool LocalizedValueGenerator::isObjToBeLocalized(const Value& value) {
  return isObjOfNumberType(value) || isObjOfDateType(value);
}

bool LocalizedValueGenerator::isNumber(const std::string& text) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return isNumberIn(g.state(), toU32(text));
}

bool LocalizedValueGenerator::isScientificNotation(const std::string& text) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return isScientificIn(g.state(), toU32(text));
}

int LocalizedValueGenerator::getScaleForNumber(const Value& number) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return scaleOf(g.state(), number);
}

bool LocalizedValueGenerator::isNumberOfIntegerType(int sqlType) {
  return sqlType == Types::TINYINT || sqlType == Types::BIGINT || sqlType == Types::INTEGER ||
         sqlType == Types::SMALLINT;
}

bool LocalizedValueGenerator::isObjOfNumberType(const Value& value) {
  return value.isNumber();
}

bool LocalizedValueGenerator::isObjOfDateType(const Value& value) {
  return value.is(Value::Kind::Date) || value.is(Value::Kind::Time) || value.is(Value::Kind::Timestamp);
}

std::string LocalizedValueGenerator::stripGroupingSep(const std::string& text) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return toU8(stripGrouping(g.state(), toU32(text)));
}

std::string LocalizedValueGenerator::replaceSpaceWithNBS(const std::string& text) {
  std::u32string units = toU32(text);
  for (char32_t& c : units) {
    if (c == U' ') c = NBS_CHAR;
  }
  return toU8(units);
}

std::string LocalizedValueGenerator::prepareOldValueForComparision(const std::string& text, bool throughConverter) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return toU8(prepareOld(g.state(), toU32(text), throughConverter));
}

std::string LocalizedValueGenerator::prepareNewValueForComparision(const std::string& text, bool throughConverter) {
  Generator& g = generator();
  std::lock_guard<std::mutex> lock(g.mutex);
  return toU8(prepareNew(g.state(), toU32(text), throughConverter));
}

}  // namespace quenlora::zafoli::db::beans::util
