#include "platform/gui/CurrencyEngine.h"

#include "platform/lang/Exceptions.h"
#include "platform/text/DecimalFormatSymbols.h"
#include "platform/text/Utf16.h"

namespace plat::gui {
namespace {

// Separators are characters of the basic plane.
std::string utf8Of(char32_t c) {
  return plat::text::utf16::toUtf8(std::u16string(1, static_cast<char16_t>(c)));
}

bool isBlank(char16_t c) {
  return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x202F || c == 0x2009;
}

}  // namespace

CurrencyEngine::CurrencyEngine()
    : decimalPoint_(getDefaultDecimalSeparator()), separator_(getDefaultGroupingSeparator()) {}

char32_t CurrencyEngine::getDefaultDecimalSeparator() {
  return plat::text::DecimalFormatSymbols().getDecimalSeparator();
}

char32_t CurrencyEngine::getDefaultGroupingSeparator() {
  return plat::text::DecimalFormatSymbols().getGroupingSeparator();
}

plat::math::Decimal CurrencyEngine::round(const plat::math::Decimal& amount) const {
  return amount.setScale(digits_, plat::math::RoundingMode::HALF_UP);
}

std::string CurrencyEngine::editText(const plat::math::Decimal& amount) const {
  std::string plain = round(amount).toPlainString();
  const auto dot = plain.find('.');
  if (dot != std::string::npos) plain.replace(dot, 1, utf8Of(decimalPoint_));
  return plain;
}

std::string CurrencyEngine::format(const plat::math::Decimal& amount) const {
  const plat::math::Decimal rounded = round(amount);
  const std::string plain = rounded.abs().toPlainString();
  const auto dot = plain.find('.');
  const std::string whole = plain.substr(0, dot);
  std::string number;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (separatorEnabled_ && i > 0 && (whole.size() - i) % 3 == 0) number += utf8Of(separator_);
    number.push_back(whole[i]);
  }
  if (dot != std::string::npos) number += utf8Of(decimalPoint_) + plain.substr(dot + 1);
  const std::string sign = rounded.signum() < 0 ? "-" : "";
  if (leading_) return sign + symbol_ + number;
  return sign + number + (symbol_.empty() ? "" : " " + symbol_);
}

std::optional<plat::math::Decimal> CurrencyEngine::parse(std::string_view text) const {
  std::u16string units = plat::text::utf16::fromUtf8(text);
  const std::u16string symbol = plat::text::utf16::fromUtf8(symbol_);
  if (!symbol.empty()) {
    for (auto at = units.find(symbol); at != std::u16string::npos; at = units.find(symbol)) {
      units.erase(at, symbol.size());
    }
  }
  std::string machine;
  for (char16_t c : units) {
    if (isBlank(c)) continue;
    if (c == decimalPoint_) {
      machine.push_back('.');
    } else if (c == separator_) {
      continue;
    } else if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+') {
      machine.push_back(static_cast<char>(c));
    } else {
      throw plat::lang::NumberFormatException("not an amount: \"" + std::string(text) + "\"");
    }
  }
  if (machine.empty()) return std::nullopt;
  return plat::math::Decimal(machine);
}

}  // namespace plat::gui
