// A date pattern of ICU compiled once into literal runs and fields, so that the common styles format and read back
// without ICU's per-field number formatters and UnicodeStrings. It covers the Gregorian fields of the standard
// styles (era, year, month, day, weekday, am/pm, hours, minutes, seconds; zone names through ICU's own zone
// formatter) and is used only where it agreed with ICU on a set of probe instants when compiled; anything else stays
// with ICU. For the sources of plat_text only (it speaks ICU types). Immutable once compiled: share it freely; the
// calendar passed in is the caller's own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <unicode/calendar.h>
#include <unicode/smpdtfmt.h>

namespace plat::text {

class CompiledDatePattern {
 public:
  // The compiled form of format's pattern, or null when it holds a field this class leaves to ICU, or when it
  // disagrees with ICU on any probe. calendar is a scratch calendar of the format (a clone of its own).
  static std::shared_ptr<const CompiledDatePattern> compile(const icu::SimpleDateFormat& format,
                                                            icu::Calendar& calendar);

  // The text of instant `date` as format (the one compiled) would write it; false when a field is out of what
  // the compiled form can write (ICU must then do it).
  bool format(const icu::SimpleDateFormat& format, icu::Calendar& calendar, UDate date, std::string& out) const;

  // The instant of which text is this pattern's exact rendering in calendar's zone, or empty when it is not (or
  // when only ICU's full parse can tell, e.g. two-digit or early years).
  std::optional<UDate> readExact(const icu::SimpleDateFormat& format, icu::Calendar& calendar,
                                 std::string_view text) const;

 private:
  enum class Kind { kLiteral, kNumber, kNames, kZone };
  struct Token {
    Kind kind = Kind::kLiteral;
    char16_t letter = 0;             // the pattern letter of a field
    int count = 0;                   // how often the letter repeats
    std::string literal;             // kLiteral: the text, UTF-8
    std::vector<std::string> names;  // kNames: by field value (months from 0, weekdays from 1, am/pm, eras)
  };

  CompiledDatePattern() = default;
  bool formatToken(const Token& token, const icu::SimpleDateFormat& format, icu::Calendar& calendar, UDate date,
                   std::string& out) const;

  std::vector<Token> tokens_;
  bool readable_ = false;  // tokens allow an exact read: no two numbers abut, a zone name ends at a literal or the end
};

}  // namespace plat::text
