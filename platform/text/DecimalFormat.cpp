#include "platform/text/DecimalFormat.h"

#include "platform/lang/Exceptions.h"
#include "platform/text/IcuSupport.h"
#include "platform/text/NumberFormatImpl.h"

namespace plat::text {

namespace {

std::unique_ptr<NumberFormat::Impl> fromPattern(const std::string& pattern, const Locale& locale) {
  UErrorCode status = U_ZERO_ERROR;
  auto symbols = std::make_unique<icu::DecimalFormatSymbols>(icusupport::toIcu(locale), status);
  if (U_FAILURE(status)) throw plat::lang::IllegalArgumentException("no number symbols for " + locale.toString());
  auto impl = std::make_unique<NumberFormat::Impl>();
  impl->icu = std::make_unique<icu::DecimalFormat>(icusupport::toUnicode(pattern), symbols.release(), status);
  if (U_FAILURE(status)) throw plat::lang::IllegalArgumentException("Malformed pattern \"" + pattern + "\"");
  return impl;
}

}  // namespace

DecimalFormat::DecimalFormat(const std::string& pattern, const Locale& locale)
    : NumberFormat(fromPattern(pattern, locale), locale) {}

DecimalFormat::DecimalFormat(std::unique_ptr<Impl> impl, const Locale& locale)
    : NumberFormat(std::move(impl), locale) {}

std::string DecimalFormat::toPattern() const {
  icu::UnicodeString out;
  impl_->icu->toPattern(out);
  return icusupport::toUtf8(out);
}

std::unique_ptr<NumberFormat> DecimalFormat::copy() const {
  auto impl = std::make_unique<Impl>();
  impl->icu.reset(impl_->icu->clone());
  return std::unique_ptr<NumberFormat>(new DecimalFormat(std::move(impl), locale_));
}

}  // namespace plat::text
