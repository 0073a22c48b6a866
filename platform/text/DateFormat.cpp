#include "platform/text/DateFormat.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include <unicode/datefmt.h>

#include "platform/lang/Exceptions.h"
#include "platform/text/IcuSupport.h"
#include "platform/text/ParseException.h"

namespace plat::text {

namespace {

constexpr int kNone = -1;  // the date or the time part is not shown

icu::DateFormat::EStyle icuStyle(int style) {
  switch (style) {
    case DateFormat::FULL:
      return icu::DateFormat::kFull;
    case DateFormat::LONG:
      return icu::DateFormat::kLong;
    case DateFormat::MEDIUM:
      return icu::DateFormat::kMedium;
    case DateFormat::SHORT:
      return icu::DateFormat::kShort;
    case kNone:
      return icu::DateFormat::kNone;
    default:
      throw plat::lang::IllegalArgumentException("Illegal date style " + std::to_string(style));
  }
}

int checkStyle(int style) {
  if (style < DateFormat::FULL || style > DateFormat::SHORT)
    throw plat::lang::IllegalArgumentException("Illegal date style " + std::to_string(style));
  return style;
}

std::unique_ptr<icu::DateFormat> cloneOf(int dateStyle, int timeStyle, const Locale& locale) {
  static std::mutex mutex;
  static std::map<std::tuple<int, int, std::string>, std::unique_ptr<icu::DateFormat>> prototypes;  // guarded
  icu::DateFormat::EStyle date = icuStyle(dateStyle);
  icu::DateFormat::EStyle time = icuStyle(timeStyle);
  std::lock_guard lock(mutex);
  auto& slot = prototypes[{dateStyle, timeStyle, locale.toIcuName()}];
  if (!slot) {
    slot.reset(icu::DateFormat::createDateTimeInstance(date, time, icusupport::toIcu(locale)));
    if (!slot) throw plat::lang::IllegalStateException("no date format for locale " + locale.toString());
  }
  return std::unique_ptr<icu::DateFormat>(slot->clone());
}

}  // namespace

struct DateFormat::Impl {
  std::unique_ptr<icu::DateFormat> icu;  // never null
};

DateFormat::DateFormat(std::unique_ptr<Impl> impl, const Locale& locale) : impl_(std::move(impl)), locale_(locale) {}

DateFormat::~DateFormat() = default;

std::unique_ptr<DateFormat> DateFormat::create(int dateStyle, int timeStyle, const Locale& locale) {
  auto impl = std::make_unique<Impl>();
  impl->icu = cloneOf(dateStyle, timeStyle, locale);
  return std::unique_ptr<DateFormat>(new DateFormat(std::move(impl), locale));
}

std::unique_ptr<DateFormat> DateFormat::getDateInstance(int style, const Locale& locale) {
  return create(checkStyle(style), kNone, locale);
}

std::unique_ptr<DateFormat> DateFormat::getTimeInstance(int style, const Locale& locale) {
  return create(kNone, checkStyle(style), locale);
}

std::unique_ptr<DateFormat> DateFormat::getDateTimeInstance(int dateStyle, int timeStyle, const Locale& locale) {
  return create(checkStyle(dateStyle), checkStyle(timeStyle), locale);
}

std::unique_ptr<DateFormat> DateFormat::clone() const {
  auto impl = std::make_unique<Impl>();
  impl->icu.reset(impl_->icu->clone());
  return std::unique_ptr<DateFormat>(new DateFormat(std::move(impl), locale_));
}

std::string DateFormat::format(int64_t epochMillis) const {
  icu::UnicodeString out;
  impl_->icu->format(static_cast<UDate>(epochMillis), out);
  return icusupport::toUtf8(out);
}

std::optional<int64_t> DateFormat::parse(std::string_view text, ParsePosition& pos) const {
  icu::UnicodeString source = icusupport::toUnicode(text);
  if (pos.getIndex() < 0 || pos.getIndex() > source.length()) {
    pos.setErrorIndex(pos.getIndex());
    return std::nullopt;
  }
  icu::ParsePosition where(pos.getIndex());
  UDate date = impl_->icu->parse(source, where);
  if (where.getIndex() == pos.getIndex()) {
    pos.setErrorIndex(where.getErrorIndex() >= 0 ? where.getErrorIndex() : pos.getIndex());
    return std::nullopt;
  }
  pos.setIndex(where.getIndex());
  return static_cast<int64_t>(std::floor(date));
}

int64_t DateFormat::parse(std::string_view text) const {
  ParsePosition pos(0);
  std::optional<int64_t> result = parse(text, pos);
  if (!result) throw ParseException("Unparseable date: \"" + std::string(text) + "\"", pos.getErrorIndex());
  return *result;
}

void DateFormat::setLenient(bool lenient) {
  impl_->icu->setLenient(lenient);
}
bool DateFormat::isLenient() const {
  return impl_->icu->isLenient();
}

}  // namespace plat::text
