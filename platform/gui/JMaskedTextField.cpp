#include "platform/gui/JMaskedTextField.h"

#include "platform/text/Character.h"
#include "platform/text/Utf16.h"

namespace plat::gui {
namespace {

bool isPlace(char16_t m) {
  return m == u'#' || m == u'A' || m == u'?';
}

bool fits(char16_t m, char16_t c) {
  if (m == u'#') return plat::text::Character::isDigit(c);
  if (m == u'A') return plat::text::Character::isLetter(c);
  return true;
}

}  // namespace

void JMaskedTextField::setMask(const std::string& mask) {
  const std::string raw = getUnmaskedText();
  mask_ = mask;
  setText(plat::text::utf16::toUtf8(format(plat::text::utf16::fromUtf8(raw))));
}

void JMaskedTextField::setMaskedText(const std::string& text) {
  setText(plat::text::utf16::toUtf8(format(plat::text::utf16::fromUtf8(text))));
}

std::u16string JMaskedTextField::format(std::u16string_view raw) const {
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  std::u16string out;
  size_t next = 0;
  for (char16_t m : mask) {
    if (next >= raw.size()) break;
    if (isPlace(m)) {
      out.push_back(raw[next++]);
    } else {
      out.push_back(m);
      if (raw[next] == m) ++next;
    }
  }
  out.append(raw.substr(next));
  return out;
}

std::string JMaskedTextField::getUnmaskedText() const {
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  const std::u16string shown = plat::text::utf16::fromUtf8(getText());
  std::u16string raw;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (i >= mask.size() || isPlace(mask[i])) raw.push_back(shown[i]);
  }
  return plat::text::utf16::toUtf8(raw);
}

void JMaskedTextField::insertTyped(char16_t unit) {
  if (mask_.empty()) {
    TextField::insertTyped(unit);
    return;
  }
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  std::u16string raw = plat::text::utf16::fromUtf8(getUnmaskedText());
  // The place this character would take: the raw.size()-th place of the mask.
  size_t places = 0;
  for (char16_t m : mask) {
    if (!isPlace(m)) continue;
    if (places++ == raw.size()) {
      if (!fits(m, unit)) return;
      raw.push_back(unit);
      setText(plat::text::utf16::toUtf8(format(raw)));
      return;
    }
  }
}

void JMaskedTextField::deleteBackward() {
  if (mask_.empty()) {
    TextField::deleteBackward();
    return;
  }
  std::u16string raw = plat::text::utf16::fromUtf8(getUnmaskedText());
  if (raw.empty()) return;
  raw.pop_back();
  setText(plat::text::utf16::toUtf8(format(raw)));
}

}  // namespace plat::gui
