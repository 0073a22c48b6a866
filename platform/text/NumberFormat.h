// Locale-aware formatting and parsing of numbers on ICU: the number, integer and currency formats of a locale,
// grouping on or off, fraction digits, and parse with a position. The ICU formatter behind each locale and kind
// is built once per process and cloned for every new instance. An instance is not thread-safe: use one per thread
// or guard it; different instances may be used concurrently.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/Locale.h"
#include "platform/text/ParsePosition.h"

namespace plat::text {

// What a parse reads: an integer when the text denotes one that fits 64 bits, else a double.
class ParsedNumber {
 public:
  static ParsedNumber ofLong(int64_t value) { return ParsedNumber(true, value, static_cast<double>(value)); }
  static ParsedNumber ofDouble(double value) { return ParsedNumber(false, 0, value); }

  bool isLong() const { return isLong_; }
  int64_t longValue() const;  // a double is truncated and saturated; NaN gives 0
  double doubleValue() const { return double_; }

 private:
  ParsedNumber(bool isLong, int64_t l, double d) : isLong_(isLong), long_(l), double_(d) {}
  bool isLong_;
  int64_t long_;
  double double_;
};

class NumberFormat {
 public:
  virtual ~NumberFormat();
  NumberFormat(const NumberFormat&) = delete;
  NumberFormat& operator=(const NumberFormat&) = delete;

  // The general number format (at most 3 fraction digits, grouping on).
  static std::unique_ptr<NumberFormat> getInstance(const Locale& locale = Locale::getDefault());
  static std::unique_ptr<NumberFormat> getNumberInstance(const Locale& locale = Locale::getDefault());
  // Rounds to whole numbers (half-even) and parses the integer part only.
  static std::unique_ptr<NumberFormat> getIntegerInstance(const Locale& locale = Locale::getDefault());
  static std::unique_ptr<NumberFormat> getCurrencyInstance(const Locale& locale = Locale::getDefault());

  std::unique_ptr<NumberFormat> clone() const;

  std::string format(double value) const;
  std::string format(int64_t value) const;
  std::string format(int32_t value) const { return format(static_cast<int64_t>(value)); }

  // Reads a number from text at pos.getIndex(). On success the index moves past what was read; on failure the
  // index stays, the error index is set and the result is empty.
  std::optional<ParsedNumber> parse(std::string_view text, ParsePosition& pos) const;
  // Reads a number from the start of text; ParseException "Unparseable number: \"<text>\"" when none is there.
  ParsedNumber parse(std::string_view text) const;

  void setGroupingUsed(bool used);
  bool isGroupingUsed() const;
  // A maximum below the minimum lowers the minimum, and a minimum above the maximum raises the maximum.
  void setMaximumFractionDigits(int digits);
  int getMaximumFractionDigits() const;
  void setMinimumFractionDigits(int digits);
  int getMinimumFractionDigits() const;
  void setParseIntegerOnly(bool only);
  bool isParseIntegerOnly() const;

  const Locale& getLocale() const { return locale_; }

  struct Impl;  // the ICU formatter; opaque outside plat_text

 protected:
  NumberFormat(std::unique_ptr<Impl> impl, const Locale& locale);
  virtual std::unique_ptr<NumberFormat> copy() const;

  std::unique_ptr<Impl> impl_;  // never null
  Locale locale_;

 private:
  static std::unique_ptr<NumberFormat> create(int kind, const Locale& locale);
};

}  // namespace plat::text
