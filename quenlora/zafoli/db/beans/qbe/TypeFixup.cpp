#include "quenlora/zafoli/db/beans/qbe/TypeFixup.h"

namespace quenlora::zafoli::db::beans::qbe {

namespace {

// JDBC type codes.
constexpr int kBit = -7, kTinyint = -6, kBigint = -5, kNumeric = 2, kDecimal = 3, kInteger = 4, kSmallint = 5,
              kFloat = 6, kReal = 7, kDouble = 8, kDate = 91, kTime = 92, kTimestamp = 93;

bool isNumeric(int type) {
  switch (type) {
    case kBit:
    case kTinyint:
    case kBigint:
    case kNumeric:
    case kDecimal:
    case kInteger:
    case kSmallint:
    case kFloat:
    case kReal:
    case kDouble:
      return true;
    default:
      return false;
  }
}

const char* datePrefix(int type) {
  switch (type) {
    case kDate:
      return " date ";
    case kTime:
      return " time ";
    case kTimestamp:
      return " timestamp ";
    default:
      return nullptr;
  }
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

bool isPlainNumber(std::string_view text) {
  std::size_t i = 0;
  std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  while (n > i && text[n - 1] == ' ') --n;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && isDigit(text[i])) ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && isDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < n && isDigit(text[i])) ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == n;
}

std::string applyTypeFixup(std::string_view condition, int jdbcType) {
  const char* prefix = datePrefix(jdbcType);
  bool numeric = isNumeric(jdbcType);
  if (!numeric && prefix == nullptr) return std::string(condition);
  std::string out;
  out.reserve(condition.size() + 16);
  std::size_t pos = 0;
  while (pos < condition.size()) {
    std::size_t open = condition.find('\'', pos);
    std::size_t close = open == std::string_view::npos ? open : condition.find('\'', open + 1);
    if (close == std::string_view::npos) break;
    out.append(condition, pos, open - pos);
    std::string_view content = condition.substr(open + 1, close - open - 1);
    if (prefix != nullptr) {
      out += prefix;
      out.append(condition, open, close - open + 1);
    } else if (isPlainNumber(content)) {
      out += ' ';
      out += content;
      out += ' ';
    } else {
      out.append(condition, open, close - open + 1);
    }
    pos = close + 1;
  }
  out.append(condition, pos, std::string_view::npos);
  return out;
}

}  // namespace quenlora::zafoli::db::beans::qbe
