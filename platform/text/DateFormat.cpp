#include "platform/text/DateFormat.h"

#include <cmath>
#include <map>
#include <mutex>
#include <tuple>

#include <unicode/datefmt.h>
#include <unicode/smpdtfmt.h>

#include "platform/lang/Exceptions.h"
#include "platform/text/CompiledDatePattern.h"
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

struct Prototype {
  std::unique_ptr<icu::DateFormat> icu;
  std::shared_ptr<const CompiledDatePattern> compiled;  // null when ICU does everything
};

// Clones of the prototype of a style and locale, with its compiled pattern (made once, with the prototype).
std::pair<std::unique_ptr<icu::DateFormat>, std::shared_ptr<const CompiledDatePattern>> cloneOf(int dateStyle,
                                                                                                int timeStyle,
                                                                                                const Locale& locale) {
  static std::mutex mutex;
  static std::map<std::tuple<int, int, std::string>, Prototype> prototypes;  // guarded
  icu::DateFormat::EStyle date = icuStyle(dateStyle);
  icu::DateFormat::EStyle time = icuStyle(timeStyle);
  std::lock_guard lock(mutex);
  Prototype& slot = prototypes[{dateStyle, timeStyle, locale.toIcuName()}];
  if (!slot.icu) {
    slot.icu.reset(icu::DateFormat::createDateTimeInstance(date, time, icusupport::toIcu(locale)));
    if (!slot.icu) throw plat::lang::IllegalStateException("no date format for locale " + locale.toString());
    if (auto* simple = dynamic_cast<icu::SimpleDateFormat*>(slot.icu.get())) {
      std::unique_ptr<icu::Calendar> scratch(simple->getCalendar()->clone());
      if (scratch) slot.compiled = CompiledDatePattern::compile(*simple, *scratch);
    }
  }
  return {std::unique_ptr<icu::DateFormat>(slot.icu->clone()), slot.compiled};
}

}  // namespace

struct DateFormat::Impl {
  std::unique_ptr<icu::DateFormat> icu;  // never null
  // The fast path, where the pattern compiled and agreed with ICU; shared with the prototype and its clones.
  std::shared_ptr<const CompiledDatePattern> compiled;
  icu::SimpleDateFormat* simple = nullptr;  // icu seen as what it is; set with compiled
  std::unique_ptr<icu::Calendar> calendar;  // this instance's scratch calendar for compiled; set with it

  void setCompiled(std::shared_ptr<const CompiledDatePattern> pattern) {
    simple = dynamic_cast<icu::SimpleDateFormat*>(icu.get());
    if (pattern && simple != nullptr) calendar.reset(simple->getCalendar()->clone());
    compiled = calendar ? std::move(pattern) : nullptr;
  }
};

DateFormat::DateFormat(std::unique_ptr<Impl> impl, const Locale& locale) : impl_(std::move(impl)), locale_(locale) {}

DateFormat::~DateFormat() = default;

std::unique_ptr<DateFormat> DateFormat::create(int dateStyle, int timeStyle, const Locale& locale) {
  auto impl = std::make_unique<Impl>();
  auto [format, compiled] = cloneOf(dateStyle, timeStyle, locale);
  impl->icu = std::move(format);
  impl->setCompiled(std::move(compiled));
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
  impl->setCompiled(impl_->compiled);
  return std::unique_ptr<DateFormat>(new DateFormat(std::move(impl), locale_));
}

std::string DateFormat::format(int64_t epochMillis) const {
  if (impl_->compiled) {
    std::string fast;
    if (impl_->compiled->format(*impl_->simple, *impl_->calendar, static_cast<UDate>(epochMillis), fast)) return fast;
  }
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

std::optional<int64_t> DateFormat::parseExact(std::string_view text) const {
  if (!impl_->compiled) return std::nullopt;
  std::optional<UDate> date = impl_->compiled->readExact(*impl_->simple, *impl_->calendar, text);
  if (!date) return std::nullopt;
  return static_cast<int64_t>(std::floor(*date));
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
