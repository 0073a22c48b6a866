// Floating-point text in the managed runtime's forms: Double.parseDouble / Float.parseFloat with their grammar, and
// Double.toString / Float.toString from the shortest digits that round-trip. Independent of the process locale.
// Stateless; any thread.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace plat::lang {

class Double {
 public:
  Double() = delete;

  static constexpr double MAX_VALUE = std::numeric_limits<double>::max();
  static constexpr double MIN_VALUE = std::numeric_limits<double>::denorm_min();
  static constexpr double MIN_NORMAL = std::numeric_limits<double>::min();
  static constexpr double POSITIVE_INFINITY = std::numeric_limits<double>::infinity();
  static constexpr double NEGATIVE_INFINITY = -std::numeric_limits<double>::infinity();
  static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

  // Blanks (code <= U+0020) at both ends are ignored; then an optional sign and "NaN", "Infinity", a decimal number
  // (digits, optional '.' and fraction, at least one digit, optional exponent e/E with optional sign and digits) or
  // a hexadecimal one ("0x" digits, optional fraction, mandatory binary exponent p/P), each number optionally
  // followed by one of f F d D. Correctly rounded. Failure: NumberFormatException `For input string: "..."` (the
  // trimmed text), "empty String" when nothing is left after trimming; a null text gives NullPointerException.
  static double parseDouble(std::string_view text);
  static double parseDouble(const char* text);

  // "1.0", "100.0", "0.001", "1.0E7", "1.0E-4", "1.2345678E7", "-0.0", "NaN", "Infinity", "-Infinity": plain for
  // 1e-3 <= |v| < 1e7, else one digit, '.', the other digits (at least one) and "E" with the exponent.
  static std::string toString(double value);

  static bool isNaN(double v) { return v != v; }
  static bool isInfinite(double v) { return v == POSITIVE_INFINITY || v == NEGATIVE_INFINITY; }
  // The runtime's total order: -0.0 before 0.0, NaN after everything and equal to itself.
  static int compare(double a, double b);
  // The bits with every NaN folded to the canonical one, as doubleToLongBits.
  static int64_t doubleToLongBits(double v);
};

class Float {
 public:
  Float() = delete;

  static constexpr float MAX_VALUE = std::numeric_limits<float>::max();
  static constexpr float MIN_VALUE = std::numeric_limits<float>::denorm_min();
  static constexpr float MIN_NORMAL = std::numeric_limits<float>::min();
  static constexpr float POSITIVE_INFINITY = std::numeric_limits<float>::infinity();
  static constexpr float NEGATIVE_INFINITY = -std::numeric_limits<float>::infinity();
  static constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

  // The grammar of Double::parseDouble, rounded once, directly to float.
  static float parseFloat(std::string_view text);
  static float parseFloat(const char* text);

  // The forms of Double::toString with the shortest digits that identify the float ("1.1" for 1.1f).
  static std::string toString(float value);

  static bool isNaN(float v) { return v != v; }
  static int compare(float a, float b);
  static int32_t floatToIntBits(float v);
};

}  // namespace plat::lang
