// The small fixed-point formatter of the value parser: with the library's settings (precision 8, format 'f') it
// writes a double as its integer part, "." and eight decimals, or in exponent form beyond the 64-bit range. The
// settings never change after construction, so one instance may be used from several threads.
#pragma once

#include <string>
#include <string_view>

namespace quenlora::zafoli::db::beans::util {

class NumberConverter {
 public:
  static constexpr int MAX_PRECISION = 8;
  // Values above this are written in exponent form: it is the first double past the 64-bit integers.
  static constexpr double kLargestFixed = 9.223372036854776e18;

  NumberConverter() = default;

  // The text of value: "-" for a negative value, then "<integer>.<8 digits>", or above kLargestFixed
  // "<d>.<8 digits>e<sign><at least 3 digits>". A rounding carry goes into the integer part (0.999999999 gives
  // "1.00000000") and a value at the edge of the 64-bit range saturates. IllegalArgumentException for NaN and
  // the infinities, which have no digits to show.
  std::string form(double value) const;

  // Reads the decimal number at the start of text (sign, digits, ".", digits, exponent) and ignores the rest;
  // 0 when no digit starts the text.
  static double atof(std::string_view text);

  int getWidth() const { return width; }
  int getPrecision() const { return precision; }
  char getFormat() const { return fmt; }

 private:
  std::string fixedForm(double value) const;
  std::string exponentForm(double value) const;

  int width = 0;
  int precision = MAX_PRECISION;
  char fmt = 'f';
  bool leading_zeroes = false;
  bool show_plus = false;
  bool show_space = false;
  bool left_align = false;
  bool alternate = true;
  std::string pre;
  std::string post;
};

}  // namespace quenlora::zafoli::db::beans::util
