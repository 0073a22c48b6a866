// A number format given by a pattern ("#,##0.00") in the symbols of a locale, or one of the locale's standard
// formats; see NumberFormat for the thread contract.
#pragma once

#include <memory>
#include <string>

#include "platform/text/DecimalFormatSymbols.h"
#include "platform/text/NumberFormat.h"

namespace plat::text {

class DecimalFormat : public NumberFormat {
 public:
  // The pattern in the symbols of locale; plat::lang::IllegalArgumentException for a malformed pattern.
  explicit DecimalFormat(const std::string& pattern, const Locale& locale = Locale::getDefault());

  DecimalFormatSymbols getDecimalFormatSymbols() const { return DecimalFormatSymbols(getLocale()); }
  std::string toPattern() const;

 private:
  friend class NumberFormat;
  DecimalFormat(std::unique_ptr<Impl> impl, const Locale& locale);
  std::unique_ptr<NumberFormat> copy() const override;
};

}  // namespace plat::text
