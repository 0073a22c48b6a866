#include "platform/gui/JMaskedTextField.h"

#include <algorithm>

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

std::u16string JMaskedTextField::unmask(std::u16string_view shown) const {
  // The same walk as format: a literal is taken as the mask's own only where it stands, so text that lacks the
  // literals (a value put into the document by someone else) gives back every character it holds.
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  std::u16string raw;
  size_t next = 0;
  for (char16_t m : mask) {
    if (next >= shown.size()) break;
    if (isPlace(m)) {
      raw.push_back(shown[next++]);
    } else if (shown[next] == m) {
      ++next;
    }
  }
  raw.append(shown.substr(next));
  return raw;
}

std::string JMaskedTextField::getUnmaskedText() const {
  return plat::text::utf16::toUtf8(unmask(plat::text::utf16::fromUtf8(getText())));
}

size_t JMaskedTextField::rawIndexAt(int position) const {
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  const size_t end = static_cast<size_t>(std::max(position, 0));
  size_t count = 0;
  for (size_t i = 0; i < end; ++i) {
    if (i >= mask.size() || isPlace(mask[i])) ++count;
  }
  return count;
}

int JMaskedTextField::positionAfter(size_t count) const {
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  if (count == 0) return 0;
  size_t seen = 0;
  for (size_t i = 0; i < mask.size(); ++i) {
    if (isPlace(mask[i]) && ++seen == count) return static_cast<int>(i + 1);
  }
  return static_cast<int>(mask.size() + (count - seen));
}

void JMaskedTextField::show(const std::u16string& raw, size_t caretAfter) {
  setText(plat::text::utf16::toUtf8(format(raw)));
  setCaretPosition(std::min(positionAfter(caretAfter), getDocument()->getLength()));
}

void JMaskedTextField::insertTyped(char16_t unit) {
  if (mask_.empty()) {
    TextField::insertTyped(unit);
    return;
  }
  const std::u16string mask = plat::text::utf16::fromUtf8(mask_);
  std::u16string raw = unmask(plat::text::utf16::fromUtf8(getText()));
  const size_t from = std::min(rawIndexAt(getSelectionStart()), raw.size());
  const size_t to = std::clamp(rawIndexAt(getSelectionEnd()), from, raw.size());
  raw.replace(from, to - from, 1, unit);
  // Every character from the one typed on must fit its place, and all of them must find one.
  size_t place = 0;
  for (char16_t m : mask) {
    if (!isPlace(m)) continue;
    if (place >= from && place < raw.size() && !fits(m, raw[place])) return;
    ++place;
  }
  if (raw.size() > place) return;
  show(raw, from + 1);
}

void JMaskedTextField::deleteBackward() {
  if (mask_.empty()) {
    TextField::deleteBackward();
    return;
  }
  std::u16string raw = unmask(plat::text::utf16::fromUtf8(getText()));
  size_t from = std::min(rawIndexAt(getSelectionStart()), raw.size());
  const size_t to = std::clamp(rawIndexAt(getSelectionEnd()), from, raw.size());
  // Nothing but literals selected, or none: the place before goes, as if the caret stepped over the literals.
  if (from == to) {
    if (from == 0) return;
    --from;
  }
  raw.erase(from, to - from);
  show(raw, from);
}

}  // namespace plat::gui
