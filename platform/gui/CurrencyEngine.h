// Writes and reads currency amounts: a symbol before or after the number, grouping of thousands (when enabled), a
// decimal point and a fixed number of fraction digits (rounded half up). The default separators are those of the
// default locale. An engine is a value: copy it freely; its statics are safe from any thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/lang/Object.h"
#include "platform/math/Decimal.h"

namespace plat::gui {

class CurrencyEngine : public plat::lang::Object {
 public:
  CurrencyEngine();

  static char32_t getDefaultDecimalSeparator();
  static char32_t getDefaultGroupingSeparator();

  const std::string& getCurrencySymbol() const { return symbol_; }
  void setCurrencySymbol(const std::string& symbol) { symbol_ = symbol; }
  bool isCurrencyLeading() const { return leading_; }
  void setCurrencyLeading(bool leading) { leading_ = leading; }
  bool isSeparatorEnabled() const { return separatorEnabled_; }
  void setSeparatorEnabled(bool enabled) { separatorEnabled_ = enabled; }
  char32_t getDecimalPoint() const { return decimalPoint_; }
  void setDecimalPoint(char32_t c) { decimalPoint_ = c; }
  char32_t getSeparator() const { return separator_; }
  void setSeparator(char32_t c) { separator_ = c; }
  int getDigitsAfterDecimal() const { return digits_; }
  // Negative counts as 0.
  void setDigitsAfterDecimal(int digits) { digits_ = digits < 0 ? 0 : digits; }

  // "-$1,234.50" (leading) or "-1.234,50 €" (trailing).
  std::string format(const plat::math::Decimal& amount) const;
  // The amount as the user edits it: sign, digits and decimal point only ("-1234.50", "1234,50").
  std::string editText(const plat::math::Decimal& amount) const;
  // Reads formatted or edited text: symbol, grouping separators and blanks are skipped, the decimal point is this
  // engine's. Nothing for blank text; NumberFormatException for text that is no amount.
  std::optional<plat::math::Decimal> parse(std::string_view text) const;
  // The amount at this engine's number of fraction digits, rounded half up.
  plat::math::Decimal round(const plat::math::Decimal& amount) const;

  std::string getClassName() const override { return "com.quenlora.zafoli.javax.swing.CurrencyEngine"; }

 private:
  std::string symbol_ = "$";
  bool leading_ = true;
  bool separatorEnabled_ = true;
  char32_t decimalPoint_;
  char32_t separator_;
  int digits_ = 2;
};

}  // namespace plat::gui
