#include "quenlora/zafoli/db/beans/jdbc/SqlText.h"

#include <gmp.h>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;

namespace {

// Two digits of a number below 100.
void appendTwoDigits(std::string& text, int n) {
  text.push_back(static_cast<char>('0' + n / 10));
  text.push_back(static_cast<char>('0' + n % 10));
}

// The date's "yyyy-mm-dd" for the years that need no sign or fifth digit; none otherwise.
std::optional<std::string> dateText(const plat::time::Date& date) {
  const int year = date.getYear();
  if (year < 0 || year > 9999 || date.getMonth() < 0 || date.getMonth() > 99 || date.getDay() < 0 ||
      date.getDay() > 99) {
    return std::nullopt;
  }
  std::string text;
  text.reserve(10);
  appendTwoDigits(text, year / 100);
  appendTwoDigits(text, year % 100);
  text.push_back('-');
  appendTwoDigits(text, date.getMonth());
  text.push_back('-');
  appendTwoDigits(text, date.getDay());
  return text;
}

// The decimal's plain text when its unscaled value fits 64 bits and its text has no exponent; none otherwise.
std::optional<std::string> decimalText(const plat::math::Decimal& decimal) {
  const int scale = decimal.scale();
  const mpz_srcptr unscaled = decimal.unscaledValue().get_mpz_t();
  if (scale < 0 || scale > 18 || !mpz_fits_slong_p(unscaled)) return std::nullopt;
  const long value = mpz_get_si(unscaled);
  const unsigned long magnitude =
      value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
  char digits[24];
  const char* end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
  const int count = static_cast<int>(end - digits);
  // Past six leading zeros after the point the runtime writes an exponent.
  if (count - 1 - scale < -6) return std::nullopt;
  std::string text;
  if (value < 0) text.push_back('-');
  if (count > scale) {
    text.append(digits, static_cast<std::size_t>(count - scale));
    if (scale > 0) {
      text.push_back('.');
      text.append(end - scale, static_cast<std::size_t>(scale));
    }
  } else {
    text += "0.";
    text.append(static_cast<std::size_t>(scale - count), '0');
    text.append(digits, static_cast<std::size_t>(count));
  }
  return text;
}

// The runtime's text of a double that is a whole or half number below 10^7 ("12.0", "-0.5"); none for any other,
// whose shortest digits take the general formatter.
std::optional<std::string> halvesText(double value) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 1e7) || std::trunc(magnitude * 2) != magnitude * 2) return std::nullopt;
  if (magnitude == 0) return std::string(std::signbit(value) ? "-0.0" : "0.0");
  const auto whole = static_cast<long>(magnitude);
  char digits[24];
  std::string text;
  if (value < 0) text.push_back('-');
  text.append(digits, std::to_chars(digits, digits + sizeof digits, whole).ptr);
  text += magnitude > static_cast<double>(whole) ? ".5" : ".0";
  return text;
}

template <class Integer>
std::string integerText(Integer n) {
  char digits[24];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

}  // namespace

std::string SqlText::valueText(const Value& value) {
  // The kinds a row writes most are formatted here; the others, and the rare forms, take the general text.
  switch (value.kind()) {
    case Value::Kind::Null:
      return "null";
    case Value::Kind::String:
      return value.getString();
    case Value::Kind::Int:
      return integerText(value.getInt());
    case Value::Kind::Long:
      return integerText(value.getLong());
    case Value::Kind::Double:
      if (auto text = halvesText(value.getDouble())) return std::move(*text);
      break;
    case Value::Kind::Date:
      if (auto text = dateText(value.getDate())) return std::move(*text);
      break;
    case Value::Kind::Decimal:
      if (auto text = decimalText(value.getDecimal())) return std::move(*text);
      break;
    default:
      break;
  }
  return value.toString();
}

const std::string& SqlText::sql() const {
  static const std::string kEmpty;
  return shape_ ? shape_->sql : kEmpty;
}

SqlText::Shape& SqlText::own() {
  if (!shape_) {
    shape_ = std::make_shared<Shape>();
  } else if (shape_.use_count() > 1) {
    shape_ = std::make_shared<Shape>(*shape_);
  }
  return *shape_;
}

void SqlText::appendMarker(std::string_view before, std::string_view after) {
  Shape& shape = own();
  shape.sql += before;
  shape.markers.push_back(shape.sql.size());
  shape.sql += '?';
  shape.sql += after;
}

void SqlText::bind(int index, const Value& value) {
  if (index < 1 || index > markerCount()) return;
  values_.resize(shape_->markers.size());
  values_[static_cast<std::size_t>(index - 1)] = valueText(value);
}

std::string SqlText::logged() const {
  const std::string& sql = this->sql();
  if (!shape_) return sql;
  const auto& markers = shape_->markers;
  std::string text;
  text.reserve(sql.size() + 16 * markers.size());
  std::size_t from = 0;
  for (std::size_t i = 0; i < markers.size(); ++i) {
    text.append(sql, from, markers[i] - from);
    if (i < values_.size() && values_[i]) {
      text += *values_[i];
    } else {
      text += '?';
    }
    from = markers[i] + 1;
  }
  text.append(sql, from, std::string::npos);
  return text;
}

std::string SqlText::withoutNewLine() const {
  const std::string& sql = this->sql();
  if (!sql.empty() && sql.back() == '\n') return sql.substr(0, sql.size() - 1);
  return sql;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
