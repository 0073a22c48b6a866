// A text field that edits a currency amount. It shows the amount formatted by its currency engine; while the user
// edits (from focus gained, when it listens to its own focus, or from editingStarted) it shows the plain number, and
// editingStopped (or losing the focus) reads the text back and formats it again; text that is no amount leaves the
// previous amount. In ATM mode digits enter from the right (1, 2, 3 give 0.01, 0.12, 1.23) and the text stays
// formatted; a digit typed over a selection starts a new amount, and Backspace over one clears it. getValue gives
// the amount in machine form at the engine's fraction digits ("1234.50"), or the empty text when there is none.
// GUI thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/gui/CurrencyEngine.h"
#include "platform/gui/TextField.h"

namespace plat::gui {

class JCurrencyTextField : public TextField {
 public:
  JCurrencyTextField() = default;

  void setCurrencySymbol(const std::string& symbol);
  void setCurrencyLeading(bool leading);
  void setSeparatorEnabled(bool enabled);
  void setATMmode(bool on) { atmMode_ = on; }
  bool isATMmode() const { return atmMode_; }
  void setListeningToFocus(bool on) { listeningToFocus_ = on; }
  bool isListeningToFocus() const { return listeningToFocus_; }
  void setDecimalPoint(char32_t c);
  void setSeparator(char32_t c);
  void setDigitsAfterDecimal(int digits);
  const CurrencyEngine& getEngine() const { return engine_; }

  // Shows an amount given in machine form ("1234.5", as values come from data) or as formatted or edited text;
  // text that is no amount shows nothing.
  void setFormattedText(const std::string& text);
  std::string getValue() const;
  void editingStarted();
  void editingStopped();
  // What losing the focus does: the edit stops.
  void lostFocus(const FocusEvent& event);
  bool isEditing() const { return editing_; }
  bool hasTypingRules() const override { return true; }

  std::string getClassName() const override { return "com.quenlora.zafoli.javax.swing.JCurrencyTextField"; }

 protected:
  void processFocus(const FocusEvent& event) override;
  void insertTyped(char16_t unit) override;
  void deleteBackward() override;

 private:
  void show();

  CurrencyEngine engine_;
  std::optional<plat::math::Decimal> amount_;  // rounded to the engine's digits
  bool atmMode_ = false;
  bool listeningToFocus_ = true;
  bool editing_ = false;
};

}  // namespace plat::gui
