#include "platform/gui/JCurrencyTextField.h"

#include <regex>

#include "platform/lang/Exceptions.h"

namespace plat::gui {

void JCurrencyTextField::setCurrencySymbol(const std::string& symbol) {
  engine_.setCurrencySymbol(symbol);
  show();
}

void JCurrencyTextField::setCurrencyLeading(bool leading) {
  engine_.setCurrencyLeading(leading);
  show();
}

void JCurrencyTextField::setSeparatorEnabled(bool enabled) {
  engine_.setSeparatorEnabled(enabled);
  show();
}

void JCurrencyTextField::setDecimalPoint(char32_t c) {
  engine_.setDecimalPoint(c);
  show();
}

void JCurrencyTextField::setSeparator(char32_t c) {
  engine_.setSeparator(c);
  show();
}

void JCurrencyTextField::setDigitsAfterDecimal(int digits) {
  engine_.setDigitsAfterDecimal(digits);
  if (amount_) amount_ = engine_.round(*amount_);
  show();
}

void JCurrencyTextField::setFormattedText(const std::string& text) {
  // Values from data come in machine form whatever the separators; "1.234" there is one and a bit, not 1234.
  static const std::regex machine(R"(\s*-?\d+(\.\d+)?\s*)");
  amount_.reset();
  try {
    if (std::regex_match(text, machine)) {
      amount_ = engine_.round(plat::math::Decimal(std::regex_replace(text, std::regex(R"(\s)"), "")));
    } else if (auto parsed = engine_.parse(text)) {
      amount_ = engine_.round(*parsed);
    }
  } catch (const plat::lang::NumberFormatException&) {
    // No amount: the field shows nothing.
  }
  show();
}

std::string JCurrencyTextField::getValue() const {
  std::optional<plat::math::Decimal> amount = amount_;
  if (editing_ && !atmMode_) {
    try {
      amount = engine_.parse(getText());
      if (amount) amount = engine_.round(*amount);
    } catch (const plat::lang::NumberFormatException&) {
      amount = amount_;
    }
  }
  return amount ? amount->toPlainString() : std::string();
}

void JCurrencyTextField::editingStarted() {
  if (editing_ || atmMode_) return;
  editing_ = true;
  show();
}

void JCurrencyTextField::editingStopped() {
  if (editing_ && !atmMode_) {
    try {
      amount_ = engine_.parse(getText());
      if (amount_) amount_ = engine_.round(*amount_);
    } catch (const plat::lang::NumberFormatException&) {
      // The previous amount stays.
    }
  }
  editing_ = false;
  show();
}

void JCurrencyTextField::lostFocus(const FocusEvent&) {
  if (editing_) editingStopped();
}

void JCurrencyTextField::processFocus(const FocusEvent& event) {
  if (!listeningToFocus_) return;
  if (event.getID() == FocusEvent::FOCUS_GAINED) {
    editingStarted();
  } else {
    lostFocus(event);
  }
}

void JCurrencyTextField::insertTyped(char16_t unit) {
  if (!atmMode_) {
    const bool allowed = (unit >= u'0' && unit <= u'9') || unit == u'-' || unit == engine_.getDecimalPoint() ||
                         unit == engine_.getSeparator();
    if (allowed) TextField::insertTyped(unit);
    return;
  }
  if (hasSelection() && unit >= u'0' && unit <= u'9') amount_.reset();
  if (unit == u'-') {
    if (amount_) amount_ = amount_->negate();
  } else if (unit >= u'0' && unit <= u'9') {
    // Shift left by one place and put the digit in the last fraction place.
    const plat::math::Decimal current =
        amount_.value_or(plat::math::Decimal::valueOf(0, engine_.getDigitsAfterDecimal()));
    const int digit = unit - u'0';
    const mpz_class shifted = current.unscaledValue() * 10 + (current.signum() < 0 ? -digit : digit);
    amount_ = plat::math::Decimal(shifted, engine_.getDigitsAfterDecimal());
  } else {
    return;
  }
  show();
}

void JCurrencyTextField::deleteBackward() {
  if (!atmMode_) {
    TextField::deleteBackward();
    return;
  }
  if (hasSelection()) {
    amount_.reset();
    show();
    return;
  }
  if (!amount_) return;
  const plat::math::Decimal current = engine_.round(*amount_);
  amount_ = plat::math::Decimal(mpz_class(current.unscaledValue() / 10), engine_.getDigitsAfterDecimal());
  show();
}

void JCurrencyTextField::show() {
  if (!amount_) {
    setText("");
  } else if (editing_) {
    setText(engine_.editText(*amount_));
  } else {
    setText(engine_.format(*amount_));
  }
}

}  // namespace plat::gui
