#include "quenlora/zafoli/db/beans/util/NumberConverter.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::util {

namespace {

constexpr int64_t kFractionScale = 100000000;  // 10 to the MAX_PRECISION
constexpr int kMinExponentDigits = 3;

}  // namespace

std::string NumberConverter::form(double value) const {
  if (!std::isfinite(value)) {
    throw plat::lang::IllegalArgumentException("Cannot convert " + plat::lang::Double::toString(value));
  }
  std::string sign;
  if (value < 0) {
    sign = "-";
    value = -value;
  }
  return pre + sign + (value > kLargestFixed ? exponentForm(value) : fixedForm(value)) + post;
}

std::string NumberConverter::fixedForm(double value) const {
  // The cast of a double at or above 2^63 is undefined in C++; the managed runtime saturates, and so do we.
  const bool saturated = value >= 9223372036854775807.0;
  int64_t whole = saturated ? std::numeric_limits<int64_t>::max() : static_cast<int64_t>(value);
  double fraction = saturated ? 0.0 : value - static_cast<double>(whole);
  int64_t digits = static_cast<int64_t>(fraction * static_cast<double>(kFractionScale) + 0.5);
  if (digits >= kFractionScale) {
    // 0.999999999 rounds to a whole one more, not to a fraction of "100000000" cut back to zeros.
    digits -= kFractionScale;
    if (whole < std::numeric_limits<int64_t>::max()) ++whole;
  }
  // "<whole>.<8 digits>": to_chars is much cheaper than a formatted print on the parse path.
  char buffer[48];
  char* end = std::to_chars(buffer, buffer + 24, whole).ptr;
  *end++ = '.';
  for (int i = MAX_PRECISION - 1; i >= 0; --i, digits /= 10) end[i] = static_cast<char>('0' + digits % 10);
  return std::string(buffer, end + MAX_PRECISION);
}

std::string NumberConverter::exponentForm(double value) const {
  // printf rounds the mantissa correctly and renormalises a mantissa that rounds up to 10.
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision, value);
  std::string text = buffer;
  std::size_t e = text.find('e');
  std::string exponentDigits = text.substr(e + 2);
  while (exponentDigits.size() < static_cast<std::size_t>(kMinExponentDigits)) exponentDigits.insert(0, "0");
  return text.substr(0, e + 2) + exponentDigits;
}

double NumberConverter::atof(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  const std::size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    std::size_t expDigits = 0;
    while (j < n && text[j] >= '0' && text[j] <= '9') ++j, ++expDigits;
    if (expDigits > 0) end = j;
  }
  std::string number(text.substr(start, end - start));
  if (number.back() == '.') number.pop_back();
  if (number == "+" || number == "-") return 0.0;
  return plat::lang::Double::parseDouble(number);
}

}  // namespace quenlora::zafoli::db::beans::util
