// The characters a locale writes numbers with: decimal and grouping separators, minus sign, zero digit. Taken from
// ICU's locale data (which differs from older runtimes in places: French groups with U+202F). An immutable value;
// safe to share between threads.
#pragma once

#include <string>

#include "platform/text/Locale.h"

namespace plat::text {

class DecimalFormatSymbols {
 public:
  // The symbols of the default locale.
  DecimalFormatSymbols();
  explicit DecimalFormatSymbols(const Locale& locale);

  char32_t getDecimalSeparator() const { return decimal_; }
  char32_t getGroupingSeparator() const { return grouping_; }
  char32_t getMinusSign() const { return minus_; }
  char32_t getZeroDigit() const { return zero_; }

  // The same characters as UTF-8 text.
  std::string getDecimalSeparatorText() const;
  std::string getGroupingSeparatorText() const;
  std::string getMinusSignText() const;

  const Locale& getLocale() const { return locale_; }

 private:
  Locale locale_;
  char32_t decimal_ = '.';
  char32_t grouping_ = ',';
  char32_t minus_ = '-';
  char32_t zero_ = '0';
};

// The UTF-8 text of one code point.
std::string codePointToUtf8(char32_t c);

}  // namespace plat::text
