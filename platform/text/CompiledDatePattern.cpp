#include "platform/text/CompiledDatePattern.h"

#include <unicode/dtfmtsym.h>
#include <unicode/tzfmt.h>

#include "platform/text/IcuSupport.h"

namespace plat::text {

namespace {

// Instants the compiled form must write exactly as ICU does before it is used: every month, weekday and hour,
// single- and double-digit fields, four centuries of years.
constexpr int kProbeCount = 48;
// Below this year the Julian calendar and ICU's two-digit-year rules make an exact read uncertain.
constexpr int kFirstReadableYear = 1583;
constexpr int kReadableYearDigits = 4;
constexpr int kMaxDigits = 9;

std::vector<std::string> utf8Names(const icu::UnicodeString* names, int32_t count) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int32_t i = 0; i < count; ++i) out.push_back(icusupport::toUtf8(names[i]));
  return out;
}

bool isNumeric(char16_t letter, int count) {
  switch (letter) {
    case u'y':
    case u'd':
    case u'h':
    case u'H':
    case u'k':
    case u'K':
    case u'm':
    case u's':
      return true;
    case u'M':
    case u'L':
      return count <= 2;
    default:
      return false;
  }
}

void appendPadded(std::string& out, int32_t value, int minDigits) {
  char digits[16];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value > 0);
  for (int i = n; i < minDigits; ++i) out.push_back('0');
  while (n > 0) out.push_back(digits[--n]);
}

}  // namespace

std::shared_ptr<const CompiledDatePattern> CompiledDatePattern::compile(const icu::SimpleDateFormat& format,
                                                                        icu::Calendar& calendar) {
  if (std::string_view(calendar.getType()) != "gregorian") return nullptr;
  const icu::DateFormatSymbols* symbols = format.getDateFormatSymbols();
  if (symbols == nullptr) return nullptr;
  icu::UnicodeString pattern;
  format.toPattern(pattern);

  std::shared_ptr<CompiledDatePattern> compiled(new CompiledDatePattern());
  std::vector<Token>& tokens = compiled->tokens_;
  auto literal = [&](const icu::UnicodeString& text) {
    if (text.isEmpty()) return;
    if (tokens.empty() || tokens.back().kind != Kind::kLiteral) tokens.push_back(Token{});
    tokens.back().literal += icusupport::toUtf8(text);
  };
  const int32_t n = pattern.length();
  for (int32_t i = 0; i < n;) {
    const char16_t c = pattern.charAt(i);
    if (c == u'\'') {
      // '' is a quote; otherwise text up to the next quote is literal, with '' inside standing for a quote.
      if (i + 1 < n && pattern.charAt(i + 1) == u'\'') {
        literal(icu::UnicodeString(u'\''));
        i += 2;
        continue;
      }
      icu::UnicodeString quoted;
      ++i;
      while (i < n) {
        if (pattern.charAt(i) == u'\'') {
          if (i + 1 < n && pattern.charAt(i + 1) == u'\'') {
            quoted.append(u'\'');
            i += 2;
            continue;
          }
          break;
        }
        quoted.append(pattern.charAt(i++));
      }
      if (i >= n) return nullptr;  // unterminated quote: ICU's business
      ++i;
      literal(quoted);
      continue;
    }
    if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'))) {
      literal(icu::UnicodeString(c));
      ++i;
      continue;
    }
    int count = 0;
    while (i < n && pattern.charAt(i) == c) ++i, ++count;
    Token token;
    token.letter = c;
    token.count = count;
    int32_t size = 0;
    using Symbols = icu::DateFormatSymbols;
    if (isNumeric(c, count)) {
      token.kind = Kind::kNumber;
    } else if ((c == u'M' || c == u'L') && count <= 4) {
      token.kind = Kind::kNames;
      const auto context = c == u'M' ? Symbols::FORMAT : Symbols::STANDALONE;
      const icu::UnicodeString* names =
          symbols->getMonths(size, context, count == 4 ? Symbols::WIDE : Symbols::ABBREVIATED);
      token.names = utf8Names(names, size);
    } else if (c == u'E' && count <= 4) {
      token.kind = Kind::kNames;
      const icu::UnicodeString* names =
          symbols->getWeekdays(size, Symbols::FORMAT, count == 4 ? Symbols::WIDE : Symbols::ABBREVIATED);
      token.names = utf8Names(names, size);
    } else if (c == u'a' && count <= 3) {
      token.kind = Kind::kNames;
      const icu::UnicodeString* names = symbols->getAmPmStrings(size);
      token.names = utf8Names(names, size);
    } else if (c == u'G' && count <= 4) {
      token.kind = Kind::kNames;
      const icu::UnicodeString* names = count == 4 ? symbols->getEraNames(size) : symbols->getEras(size);
      token.names = utf8Names(names, size);
    } else if (c == u'z' && count <= 4) {
      token.kind = Kind::kZone;
    } else {
      return nullptr;
    }
    tokens.push_back(std::move(token));
  }

  // An exact read needs to know where each field ends: numbers must not abut, and a zone name runs to the next
  // literal or to the end.
  compiled->readable_ = true;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    const Kind next = tokens[i + 1].kind;
    if ((tokens[i].kind == Kind::kNumber && next == Kind::kNumber) ||
        (tokens[i].kind == Kind::kZone && next != Kind::kLiteral)) {
      compiled->readable_ = false;
    }
  }

  for (int i = 0; i < kProbeCount; ++i) {
    UErrorCode status = U_ZERO_ERROR;
    calendar.clear();
    calendar.set(1600 + (i * 97) % 420, i % 12, 1 + (i * 7) % 28, (i * 5) % 24, (i * 13) % 60, (i * 29) % 60);
    const UDate probe = calendar.getTime(status);
    if (U_FAILURE(status)) return nullptr;
    icu::UnicodeString expected;
    format.format(probe, expected);
    std::string mine;
    if (!compiled->format(format, calendar, probe, mine) || mine != icusupport::toUtf8(expected)) return nullptr;
    if (compiled->readable_) {
      // What the exact read makes of the text must be what ICU's own parse makes of it.
      std::optional<UDate> back = compiled->readExact(format, calendar, mine);
      if (back) {
        icu::ParsePosition where(0);
        const UDate parsed = format.parse(expected, where);
        if (where.getIndex() != expected.length() || parsed != *back) compiled->readable_ = false;
      }
    }
  }
  return compiled;
}

bool CompiledDatePattern::format(const icu::SimpleDateFormat& format, icu::Calendar& calendar, UDate date,
                                 std::string& out) const {
  UErrorCode status = U_ZERO_ERROR;
  calendar.setTime(date, status);
  if (U_FAILURE(status)) return false;
  for (const Token& token : tokens_) {
    if (!formatToken(token, format, calendar, date, out)) return false;
  }
  return true;
}

bool CompiledDatePattern::formatToken(const Token& token, const icu::SimpleDateFormat& format, icu::Calendar& calendar,
                                      UDate date, std::string& out) const {
  if (token.kind == Kind::kLiteral) {
    out += token.literal;
    return true;
  }
  UErrorCode status = U_ZERO_ERROR;
  if (token.kind == Kind::kZone) {
    const icu::TimeZoneFormat* zones = format.getTimeZoneFormat();
    if (zones == nullptr) return false;
    icu::UnicodeString name;
    zones->format(token.count < 4 ? UTZFMT_STYLE_SPECIFIC_SHORT : UTZFMT_STYLE_SPECIFIC_LONG, calendar.getTimeZone(),
                  date, name, nullptr);
    out += icusupport::toUtf8(name);
    return true;
  }
  int32_t value = 0;
  switch (token.letter) {
    case u'G':
      value = calendar.get(UCAL_ERA, status);
      break;
    case u'y':
      value = calendar.get(UCAL_YEAR, status);
      break;
    case u'M':
    case u'L':
      value = calendar.get(UCAL_MONTH, status);
      if (token.kind == Kind::kNumber) ++value;
      break;
    case u'd':
      value = calendar.get(UCAL_DATE, status);
      break;
    case u'E':
      value = calendar.get(UCAL_DAY_OF_WEEK, status);
      break;
    case u'a':
      value = calendar.get(UCAL_AM_PM, status);
      break;
    case u'h':
      value = calendar.get(UCAL_HOUR, status);
      if (value == 0) value = 12;
      break;
    case u'K':
      value = calendar.get(UCAL_HOUR, status);
      break;
    case u'H':
      value = calendar.get(UCAL_HOUR_OF_DAY, status);
      break;
    case u'k':
      value = calendar.get(UCAL_HOUR_OF_DAY, status);
      if (value == 0) value = 24;
      break;
    case u'm':
      value = calendar.get(UCAL_MINUTE, status);
      break;
    case u's':
      value = calendar.get(UCAL_SECOND, status);
      break;
    default:
      return false;
  }
  if (U_FAILURE(status) || value < 0) return false;
  if (token.kind == Kind::kNames) {
    if (static_cast<std::size_t>(value) >= token.names.size()) return false;
    out += token.names[static_cast<std::size_t>(value)];
    return true;
  }
  if (token.letter == u'y' && token.count == 2) {
    appendPadded(out, value % 100, 2);
  } else {
    appendPadded(out, value, token.count);
  }
  return true;
}

std::optional<UDate> CompiledDatePattern::readExact(const icu::SimpleDateFormat& format, icu::Calendar& calendar,
                                                    std::string_view text) const {
  if (!readable_) return std::nullopt;
  int year = -1, month = -1, day = -1, hour24 = -1, hour12 = -1, amPm = -1, minute = -1, second = -1, era = -1;
  std::size_t pos = 0;
  for (std::size_t i = 0; i < tokens_.size(); ++i) {
    const Token& token = tokens_[i];
    const std::string_view rest = text.substr(pos);
    switch (token.kind) {
      case Kind::kLiteral:
        if (rest.substr(0, token.literal.size()) != token.literal) return std::nullopt;
        pos += token.literal.size();
        break;
      case Kind::kZone: {
        // Read back below by writing the instant again; here only its extent matters.
        std::size_t end = i + 1 < tokens_.size() ? rest.find(tokens_[i + 1].literal) : rest.size();
        if (end == std::string_view::npos || end == 0) return std::nullopt;
        pos += end;
        break;
      }
      case Kind::kNames: {
        int best = -1;
        std::size_t bestSize = 0;
        for (std::size_t k = 0; k < token.names.size(); ++k) {
          const std::string& name = token.names[k];
          if (!name.empty() && name.size() > bestSize && rest.substr(0, name.size()) == name) {
            best = static_cast<int>(k);
            bestSize = name.size();
          }
        }
        if (best < 0) return std::nullopt;
        pos += bestSize;
        if (token.letter == u'M' || token.letter == u'L') month = best;
        if (token.letter == u'a') amPm = best;
        if (token.letter == u'G') era = best;
        break;
      }
      case Kind::kNumber: {
        std::size_t digits = 0;
        int value = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') {
          if (++digits > static_cast<std::size_t>(kMaxDigits)) return std::nullopt;
          value = value * 10 + (rest[digits - 1] - '0');
        }
        if (digits == 0) return std::nullopt;
        pos += digits;
        switch (token.letter) {
          case u'y':
            if (digits != kReadableYearDigits || value < kFirstReadableYear) return std::nullopt;
            year = value;
            break;
          case u'M':
          case u'L':
            month = value - 1;
            break;
          case u'd':
            day = value;
            break;
          case u'H':
            hour24 = value;
            break;
          case u'k':
            hour24 = value == 24 ? 0 : value;
            break;
          case u'h':
            hour12 = value == 12 ? 0 : value;
            break;
          case u'K':
            hour12 = value;
            break;
          case u'm':
            minute = value;
            break;
          case u's':
            second = value;
            break;
          default:
            return std::nullopt;
        }
        break;
      }
    }
  }
  if (pos != text.size()) return std::nullopt;
  if (hour12 >= 0) {
    if (amPm < 0 || hour24 >= 0) return std::nullopt;
    hour24 = hour12 + (amPm == 1 ? 12 : 0);
  }
  calendar.clear();
  if (era >= 0) calendar.set(UCAL_ERA, era);
  if (year >= 0) calendar.set(UCAL_YEAR, year);
  if (month >= 0) calendar.set(UCAL_MONTH, month);
  if (day >= 0) calendar.set(UCAL_DATE, day);
  if (hour24 >= 0) calendar.set(UCAL_HOUR_OF_DAY, hour24);
  if (minute >= 0) calendar.set(UCAL_MINUTE, minute);
  if (second >= 0) calendar.set(UCAL_SECOND, second);
  UErrorCode status = U_ZERO_ERROR;
  const UDate date = calendar.getTime(status);
  if (U_FAILURE(status)) return std::nullopt;
  // Only a text that is exactly what this pattern writes for that instant counts: anything out of range, a wrong
  // weekday or a zone name the instant would not show falls to ICU's parse.
  std::string again;
  again.reserve(text.size());
  if (!this->format(format, calendar, date, again) || again != text) return std::nullopt;
  return date;
}

}  // namespace plat::text
