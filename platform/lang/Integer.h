// Integer text in the managed runtime's forms: Integer.parseInt / Long.parseLong with their exact grammar and
// failure texts, decimal and hexadecimal text of int and long. Stateless; any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace plat::lang {

class Integer {
 public:
  Integer() = delete;

  static constexpr int32_t MIN_VALUE = std::numeric_limits<int32_t>::min();
  static constexpr int32_t MAX_VALUE = std::numeric_limits<int32_t>::max();
  static constexpr int MIN_RADIX = 2;
  static constexpr int MAX_RADIX = 36;

  // An optional '+' or '-' followed by one or more digits of the radix, nothing else (no blanks). Digits are those
  // the runtime accepts: ASCII, the other Unicode decimal digit blocks of the basic plane, and for radix above 10 the
  // Latin letters in ASCII and full width. Text is UTF-8. Failure: NumberFormatException `For input string: "..."`;
  // a null text gives "null"; a radix outside 2..36 gives the runtime's radix message.
  static int32_t parseInt(std::string_view text, int radix = 10);
  static int32_t parseInt(const char* text, int radix = 10);

  static std::string toString(int32_t value, int radix = 10);
  // Lower-case hexadecimal of the value's 32 bits taken as unsigned ("ffffffff" for -1).
  static std::string toHexString(int32_t value);

  // The value of one code point as a digit of the radix, or -1 (the runtime's Character.digit).
  static int digit(char32_t codePoint, int radix);
  // The UTF-8 character at pos as a digit of the radix, or -1; pos moves past it (one byte when malformed).
  static int nextDigit(std::string_view text, size_t& pos, int radix);
};

class Long {
 public:
  Long() = delete;

  static constexpr int64_t MIN_VALUE = std::numeric_limits<int64_t>::min();
  static constexpr int64_t MAX_VALUE = std::numeric_limits<int64_t>::max();

  // The grammar and failures of Integer::parseInt over the 64-bit range.
  static int64_t parseLong(std::string_view text, int radix = 10);
  static int64_t parseLong(const char* text, int radix = 10);

  static std::string toString(int64_t value, int radix = 10);
  // Lower-case hexadecimal of the value's 64 bits taken as unsigned.
  static std::string toHexString(int64_t value);
};

}  // namespace plat::lang
