// A text field that shows its value through an input mask: "#" holds a digit, "A" a letter, "?" any character,
// and every other mask character is a literal written by the field itself ("(###) ###-####"). Typing puts the
// character into the place at the caret (replacing the selected places) and refuses one that does not fit its
// place, or any once the mask is full; Backspace takes back the selected places or the place before the caret,
// stepping over literals. A value shown with setMaskedText is never cut: characters that do not fit their place
// are shown all the same, and characters beyond the mask follow it, so the unmasked text gives back exactly what
// was shown. An empty mask makes a plain field. GUI thread only.
#pragma once

#include <string>

#include "platform/gui/TextField.h"

namespace plat::gui {

class JMaskedTextField : public TextField {
 public:
  JMaskedTextField() = default;

  const std::string& getMask() const { return mask_; }
  // Keeps the unmasked text and shows it through the new mask.
  void setMask(const std::string& mask);
  // Shows text through the mask; text may be unmasked or already carry the mask's literals.
  void setMaskedText(const std::string& text);
  // The characters in the mask's places (and any beyond the mask), without the literals, read place by place
  // from the text as setMaskedText lays it out.
  std::string getUnmaskedText() const;
  bool hasTypingRules() const override { return !mask_.empty(); }

  std::string getClassName() const override { return "com.quenlora.zafoli.javax.swing.JMaskedTextField"; }

 protected:
  void insertTyped(char16_t unit) override;
  void deleteBackward() override;

 private:
  std::u16string format(std::u16string_view raw) const;
  std::u16string unmask(std::u16string_view shown) const;
  // How many unmasked characters stand before the shown position.
  size_t rawIndexAt(int position) const;
  // The shown position just after the first count unmasked characters.
  int positionAfter(size_t count) const;
  void show(const std::u16string& raw, size_t caretAfter);

  std::string mask_;
};

}  // namespace plat::gui
