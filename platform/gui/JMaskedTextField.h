// A text field that shows its value through an input mask: "#" holds a digit, "A" a letter, "?" any character,
// and every other mask character is a literal written by the field itself ("(###) ###-####"). Typing fills the
// next place and refuses a character that does not fit it or comes after the mask is full; Backspace takes the last
// character back. A value shown with setMaskedText is never cut: characters that do not fit their place are shown
// all the same, and characters beyond the mask follow it, so the unmasked text gives back exactly what was shown.
// An empty mask makes a plain field. GUI thread only.
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
  // The characters in the mask's places (and any beyond the mask), without the literals.
  std::string getUnmaskedText() const;

  std::string getClassName() const override { return "com.quenlora.zafoli.javax.swing.JMaskedTextField"; }

 protected:
  void insertTyped(char16_t unit) override;
  void deleteBackward() override;

 private:
  std::u16string format(std::u16string_view raw) const;

  std::string mask_;
};

}  // namespace plat::gui
