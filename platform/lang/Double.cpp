#include "platform/lang/Double.h"

#include <locale.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "platform/lang/Exceptions.h"

namespace plat::lang {

namespace {

// The "C" locale, so that the process locale never changes what a number's text means.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

[[noreturn]] void badInput(std::string_view text) {
  throw NumberFormatException("For input string: \"" + std::string(text) + "\"");
}

bool isDecimalDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isHexDigit(char c) {
  return isDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isSuffix(char c) {
  return c == 'f' || c == 'F' || c == 'd' || c == 'D';
}

std::string_view trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

// What a valid text holds: a special value, or the number part (sign included, suffix excluded) for strtod.
struct Scanned {
  enum Kind { kNumber, kNaN, kInfinity } kind = kNumber;
  bool negative = false;
  std::string_view number;
};

// Checks the runtime's grammar over trimmed text; the conversion itself is left to strtod, whose grammar is wider.
Scanned scan(std::string_view text) {
  Scanned result;
  size_t pos = 0;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    result.negative = text[pos] == '-';
    ++pos;
  }
  const std::string_view rest = text.substr(pos);
  if (rest == "NaN") {
    result.kind = Scanned::kNaN;
    return result;
  }
  if (rest == "Infinity") {
    result.kind = Scanned::kInfinity;
    return result;
  }
  const bool hex = rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X');
  if (hex) pos += 2;
  const auto isMantissaDigit = hex ? isHexDigit : isDecimalDigit;
  size_t digits = 0;
  while (pos < text.size() && isMantissaDigit(text[pos])) ++pos, ++digits;
  if (pos < text.size() && text[pos] == '.') {
    ++pos;
    while (pos < text.size() && isMantissaDigit(text[pos])) ++pos, ++digits;
  }
  if (digits == 0) badInput(text);
  const bool hasExponent =
      pos < text.size() && (hex ? (text[pos] == 'p' || text[pos] == 'P') : (text[pos] == 'e' || text[pos] == 'E'));
  if (hasExponent) {
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    size_t exponentDigits = 0;
    while (pos < text.size() && isDecimalDigit(text[pos])) ++pos, ++exponentDigits;
    if (exponentDigits == 0) badInput(text);
  } else if (hex) {
    badInput(text);  // a hexadecimal number needs its binary exponent
  }
  result.number = text.substr(0, pos);
  if (pos < text.size() && isSuffix(text[pos])) ++pos;
  if (pos != text.size()) badInput(text);
  return result;
}

template <class Real>
Real parseReal(std::string_view raw) {
  const std::string_view text = trim(raw);
  if (text.empty()) throw NumberFormatException("empty String");
  const Scanned scanned = scan(text);
  if (scanned.kind == Scanned::kNaN) return std::numeric_limits<Real>::quiet_NaN();
  if (scanned.kind == Scanned::kInfinity) {
    return scanned.negative ? -std::numeric_limits<Real>::infinity() : std::numeric_limits<Real>::infinity();
  }
  const std::string number(scanned.number);  // strtod needs a terminated text
  if constexpr (std::is_same_v<Real, float>) {
    return strtof_l(number.c_str(), nullptr, cLocale());
  } else {
    return strtod_l(number.c_str(), nullptr, cLocale());
  }
}

template <class Real>
bool roundTrips(const std::string& text, Real value) {
  if constexpr (std::is_same_v<Real, float>) {
    return strtof_l(text.c_str(), nullptr, cLocale()) == value;
  } else {
    return strtod_l(text.c_str(), nullptr, cLocale()) == value;
  }
}

// Significant digits (no leading zero) and the exponent of the first one: value = d.ddd * 10^exponent.
struct Digits {
  std::string digits;
  int exponent = 0;
};

// Splits to_chars' scientific form "d.ddde+XX" (magnitude only).
Digits splitScientific(const char* begin, const char* end) {
  Digits result;
  const char* e = static_cast<const char*>(std::memchr(begin, 'e', end - begin));
  for (const char* p = begin; p < e; ++p) {
    if (*p != '.') result.digits.push_back(*p);
  }
  std::from_chars(e + (e[1] == '+' ? 2 : 1), end, result.exponent);
  while (result.digits.size() > 1 && result.digits.back() == '0') result.digits.pop_back();
  return result;
}

// The shortest digits that round-trip; when one digit suffices the closest two-digit decimal is taken instead, as
// the runtime does (so the smallest double reads 4.9E-324, not 5.0E-324).
template <class Real>
Digits shortestDigits(Real magnitude) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  Digits shortest = splitScientific(buffer, result.ptr);
  if (shortest.digits.size() != 1) return shortest;
  result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 1);
  Digits twoDigits = splitScientific(buffer, result.ptr);
  if (twoDigits.digits.size() == 2 && roundTrips(std::string(buffer, result.ptr), magnitude)) return twoDigits;
  return shortest;
}

// Whole numbers and sixteenths below 10^7, the usual doubles of counts, prices and measures, written from their
// exact digits into out; false for any other value. Their exact digits are the shortest that read back: a shorter
// text is at least 5e-4 away, and doubles below 10^7 lie far closer together than that. Not for floats, which lie
// farther apart.
bool plainSixteenths(double magnitude, std::string& out) {
  constexpr double kPlainLimit = 1e7;
  const double sixteenths = magnitude * 16;  // exact: a power of two
  if (!(magnitude < kPlainLimit) || sixteenths != std::floor(sixteenths)) return false;
  const auto whole = static_cast<std::uint64_t>(sixteenths);
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, whole >> 4).ptr;
  *end++ = '.';
  // 1/16 is 0.0625, so the fraction's four digits are its sixteenths times 625.
  if (unsigned fraction = static_cast<unsigned>(whole & 15) * 625; fraction == 0) {
    *end++ = '0';
  } else {
    for (unsigned scale = 1000; fraction != 0; scale /= 10) {
      *end++ = static_cast<char>('0' + fraction / scale);
      fraction %= scale;
    }
  }
  out.append(digits, end);
  return true;
}

template <class Real>
std::string formatReal(Real value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  if (value == 0) return std::signbit(value) ? "-0.0" : "0.0";
  std::string out;
  if (value < 0) out.push_back('-');
  const Real magnitude = std::fabs(value);
  if constexpr (std::is_same_v<Real, double>) {
    if (plainSixteenths(magnitude, out)) return out;
  }
  const Digits d = shortestDigits(magnitude);
  const int n = static_cast<int>(d.digits.size());
  if (magnitude >= static_cast<Real>(1e-3) && magnitude < static_cast<Real>(1e7)) {
    if (d.exponent >= 0) {
      const int integerDigits = d.exponent + 1;
      if (n <= integerDigits) {
        out += d.digits;
        out.append(integerDigits - n, '0');
        out += ".0";
      } else {
        out.append(d.digits, 0, integerDigits);
        out.push_back('.');
        out.append(d.digits, integerDigits);
      }
    } else {
      out += "0.";
      out.append(-d.exponent - 1, '0');
      out += d.digits;
    }
  } else {
    out.push_back(d.digits[0]);
    out.push_back('.');
    if (n > 1) {
      out.append(d.digits, 1);
    } else {
      out.push_back('0');
    }
    out.push_back('E');
    out += std::to_string(d.exponent);
  }
  return out;
}

}  // namespace

double Double::parseDouble(std::string_view text) {
  return parseReal<double>(text);
}

double Double::parseDouble(const char* text) {
  if (text == nullptr) throw NullPointerException();
  return parseDouble(std::string_view(text));
}

std::string Double::toString(double value) {
  return formatReal(value);
}

int Double::compare(double a, double b) {
  if (a < b) return -1;
  if (a > b) return 1;
  const int64_t x = doubleToLongBits(a);
  const int64_t y = doubleToLongBits(b);
  return x == y ? 0 : (x < y ? -1 : 1);
}

int64_t Double::doubleToLongBits(double v) {
  if (std::isnan(v)) return 0x7ff8000000000000LL;
  return std::bit_cast<int64_t>(v);
}

float Float::parseFloat(std::string_view text) {
  return parseReal<float>(text);
}

float Float::parseFloat(const char* text) {
  if (text == nullptr) throw NullPointerException();
  return parseFloat(std::string_view(text));
}

std::string Float::toString(float value) {
  return formatReal(value);
}

int Float::compare(float a, float b) {
  if (a < b) return -1;
  if (a > b) return 1;
  const int32_t x = floatToIntBits(a);
  const int32_t y = floatToIntBits(b);
  return x == y ? 0 : (x < y ? -1 : 1);
}

int32_t Float::floatToIntBits(float v) {
  if (std::isnan(v)) return 0x7fc00000;
  return std::bit_cast<int32_t>(v);
}

}  // namespace plat::lang
