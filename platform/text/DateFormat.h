// Locale-aware formatting and parsing of dates and times on ICU, in the date, time and date-time styles FULL,
// LONG, MEDIUM and SHORT, in the process's time zone. Instants are milliseconds since 1970-01-01 00:00 UTC. The
// ICU formatter of each style and locale is built once per process and cloned; its pattern is compiled once too, so
// that the common fields are written without ICU's per-field machinery (with the same text). An instance is not
// thread-safe: use one per thread or guard it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/Locale.h"
#include "platform/text/ParsePosition.h"

namespace plat::text {

class DateFormat {
 public:
  static constexpr int FULL = 0;
  static constexpr int LONG = 1;
  static constexpr int MEDIUM = 2;
  static constexpr int SHORT = 3;
  static constexpr int DEFAULT = MEDIUM;

  ~DateFormat();
  DateFormat(const DateFormat&) = delete;
  DateFormat& operator=(const DateFormat&) = delete;

  // plat::lang::IllegalArgumentException for a style outside FULL..SHORT.
  static std::unique_ptr<DateFormat> getDateInstance(int style = DEFAULT, const Locale& locale = Locale::getDefault());
  static std::unique_ptr<DateFormat> getTimeInstance(int style = DEFAULT, const Locale& locale = Locale::getDefault());
  static std::unique_ptr<DateFormat> getDateTimeInstance(int dateStyle = DEFAULT, int timeStyle = DEFAULT,
                                                         const Locale& locale = Locale::getDefault());

  std::unique_ptr<DateFormat> clone() const;

  std::string format(int64_t epochMillis) const;

  // Reads a date from text at pos.getIndex(); on success the index moves past it, on failure the index stays, the
  // error index is set and the result is empty. Fields the style does not show take their 1970-01-01 00:00 values.
  std::optional<int64_t> parse(std::string_view text, ParsePosition& pos) const;
  // The instant of which text is exactly what format() writes for it, or empty when text is not such a rendering
  // (or one this shortcut leaves to parse(), such as years before 1583). Far cheaper than parse(), and parse()
  // reads such a text as the same instant.
  std::optional<int64_t> parseExact(std::string_view text) const;
  // ParseException "Unparseable date: \"<text>\"" when no date starts the text.
  int64_t parse(std::string_view text) const;

  // Lenient parsing (the default) accepts out-of-range fields and rolls them over.
  void setLenient(bool lenient);
  bool isLenient() const;

  const Locale& getLocale() const { return locale_; }

 private:
  struct Impl;
  DateFormat(std::unique_ptr<Impl> impl, const Locale& locale);
  static std::unique_ptr<DateFormat> create(int dateStyle, int timeStyle, const Locale& locale);

  std::unique_ptr<Impl> impl_;  // never null
  Locale locale_;
};

}  // namespace plat::text
