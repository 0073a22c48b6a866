#include "platform/text/NumberFormat.h"

#include <cmath>
#include <limits>
#include <map>
#include <mutex>

#include <unicode/numfmt.h>

#include "platform/lang/Exceptions.h"
#include "platform/text/DecimalFormat.h"
#include "platform/text/IcuSupport.h"
#include "platform/text/NumberFormatImpl.h"
#include "platform/text/ParseException.h"

namespace plat::text {

namespace {

enum class Kind { kNumber, kInteger, kCurrency };

std::unique_ptr<icu::DecimalFormat> buildPrototype(Kind kind, const Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  icu::Locale where = icusupport::toIcu(locale);
  std::unique_ptr<icu::NumberFormat> made(kind == Kind::kCurrency
                                              ? icu::NumberFormat::createCurrencyInstance(where, status)
                                              : icu::NumberFormat::createInstance(where, status));
  auto* decimal = dynamic_cast<icu::DecimalFormat*>(made.get());
  if (U_FAILURE(status) || decimal == nullptr) {
    status = U_ZERO_ERROR;
    made.reset(icu::NumberFormat::createInstance(icu::Locale::getRoot(), status));
    decimal = dynamic_cast<icu::DecimalFormat*>(made.get());
    if (U_FAILURE(status) || decimal == nullptr)
      throw plat::lang::IllegalStateException("no number format for locale " + locale.toString());
  }
  made.release();
  std::unique_ptr<icu::DecimalFormat> result(decimal);
  if (kind == Kind::kInteger) {
    result->setMaximumFractionDigits(0);
    result->setRoundingMode(icu::DecimalFormat::kRoundHalfEven);
    result->setParseIntegerOnly(true);
  }
  return result;
}

// Formatters are costly to build: one prototype per kind and locale is kept for the process and cloned.
std::unique_ptr<icu::DecimalFormat> cloneOf(Kind kind, const Locale& locale) {
  static std::mutex mutex;
  static std::map<std::pair<int, std::string>, std::unique_ptr<icu::DecimalFormat>> prototypes;  // guarded
  std::lock_guard lock(mutex);
  auto& slot = prototypes[{static_cast<int>(kind), locale.toIcuName()}];
  if (!slot) slot = buildPrototype(kind, locale);
  return std::unique_ptr<icu::DecimalFormat>(slot->clone());
}

}  // namespace

int64_t ParsedNumber::longValue() const {
  if (isLong_) return long_;
  if (std::isnan(double_)) return 0;
  if (double_ >= 9.2233720368547758e18) return std::numeric_limits<int64_t>::max();
  if (double_ <= -9.2233720368547758e18) return std::numeric_limits<int64_t>::min();
  return static_cast<int64_t>(double_);
}

NumberFormat::NumberFormat(std::unique_ptr<Impl> impl, const Locale& locale)
    : impl_(std::move(impl)), locale_(locale) {}

NumberFormat::~NumberFormat() = default;

std::unique_ptr<NumberFormat> NumberFormat::getInstance(const Locale& locale) {
  return create(static_cast<int>(Kind::kNumber), locale);
}
std::unique_ptr<NumberFormat> NumberFormat::getNumberInstance(const Locale& locale) {
  return create(static_cast<int>(Kind::kNumber), locale);
}
std::unique_ptr<NumberFormat> NumberFormat::getIntegerInstance(const Locale& locale) {
  return create(static_cast<int>(Kind::kInteger), locale);
}
std::unique_ptr<NumberFormat> NumberFormat::getCurrencyInstance(const Locale& locale) {
  return create(static_cast<int>(Kind::kCurrency), locale);
}

std::unique_ptr<NumberFormat> NumberFormat::clone() const {
  return copy();
}

std::unique_ptr<NumberFormat> NumberFormat::copy() const {
  auto impl = std::make_unique<Impl>();
  impl->icu.reset(impl_->icu->clone());
  return std::unique_ptr<NumberFormat>(new NumberFormat(std::move(impl), locale_));
}

std::string NumberFormat::format(double value) const {
  icu::UnicodeString out;
  impl_->icu->format(value, out);
  return icusupport::toUtf8(out);
}

std::string NumberFormat::format(int64_t value) const {
  icu::UnicodeString out;
  impl_->icu->format(static_cast<int64_t>(value), out);
  return icusupport::toUtf8(out);
}

std::optional<ParsedNumber> NumberFormat::parse(std::string_view text, ParsePosition& pos) const {
  icu::UnicodeString source = icusupport::toUnicode(text);
  if (pos.getIndex() < 0 || pos.getIndex() > source.length()) {
    pos.setErrorIndex(pos.getIndex());
    return std::nullopt;
  }
  icu::ParsePosition where(pos.getIndex());
  icu::Formattable result;
  impl_->icu->parse(source, result, where);
  if (where.getIndex() == pos.getIndex()) {
    pos.setErrorIndex(where.getErrorIndex() >= 0 ? where.getErrorIndex() : pos.getIndex());
    return std::nullopt;
  }
  pos.setIndex(where.getIndex());
  UErrorCode status = U_ZERO_ERROR;
  switch (result.getType()) {
    case icu::Formattable::kLong:
    case icu::Formattable::kInt64:
      return ParsedNumber::ofLong(result.getInt64(status));
    default:
      return ParsedNumber::ofDouble(result.getDouble(status));
  }
}

ParsedNumber NumberFormat::parse(std::string_view text) const {
  ParsePosition pos(0);
  std::optional<ParsedNumber> result = parse(text, pos);
  if (!result) throw ParseException("Unparseable number: \"" + std::string(text) + "\"", pos.getErrorIndex());
  return *result;
}

void NumberFormat::setGroupingUsed(bool used) {
  impl_->icu->setGroupingUsed(used);
}
bool NumberFormat::isGroupingUsed() const {
  return impl_->icu->isGroupingUsed();
}
void NumberFormat::setMaximumFractionDigits(int digits) {
  impl_->icu->setMaximumFractionDigits(std::max(0, digits));
}
int NumberFormat::getMaximumFractionDigits() const {
  return impl_->icu->getMaximumFractionDigits();
}
void NumberFormat::setMinimumFractionDigits(int digits) {
  impl_->icu->setMinimumFractionDigits(std::max(0, digits));
}
int NumberFormat::getMinimumFractionDigits() const {
  return impl_->icu->getMinimumFractionDigits();
}
void NumberFormat::setParseIntegerOnly(bool only) {
  impl_->icu->setParseIntegerOnly(only);
}
bool NumberFormat::isParseIntegerOnly() const {
  return impl_->icu->isParseIntegerOnly();
}

std::unique_ptr<NumberFormat> NumberFormat::create(int kind, const Locale& locale) {
  auto impl = std::make_unique<Impl>();
  impl->icu = cloneOf(static_cast<Kind>(kind), locale);
  return std::unique_ptr<NumberFormat>(new DecimalFormat(std::move(impl), locale));
}

}  // namespace plat::text
