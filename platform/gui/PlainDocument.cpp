#include "platform/gui/PlainDocument.h"

#include "platform/gui/BadLocationException.h"
#include "platform/text/Utf16.h"

namespace plat::gui {

int PlainDocument::getLength() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(text_.size());
}

std::string PlainDocument::getText(int offset, int length) const {
  std::lock_guard lock(mutex_);
  const int size = static_cast<int>(text_.size());
  if (offset < 0 || length < 0 || offset > size || length > size - offset) {
    throw BadLocationException("Invalid location: offset " + std::to_string(offset) + ", length " +
                               std::to_string(length) + ", document length " + std::to_string(size));
  }
  return plat::text::utf16::toUtf8(std::u16string_view(text_).substr(offset, length));
}

void PlainDocument::insertString(int offset, const std::string& text) {
  const std::u16string units = plat::text::utf16::fromUtf8(text);
  {
    std::lock_guard lock(mutex_);
    if (offset < 0 || offset > static_cast<int>(text_.size())) {
      throw BadLocationException("Invalid insert: offset " + std::to_string(offset) + ", document length " +
                                 std::to_string(text_.size()));
    }
    if (units.empty()) return;
    text_.insert(static_cast<size_t>(offset), units);
  }
  fireInsertUpdate(DocumentEvent(this, this, DocumentEvent::EventType::INSERT, offset, static_cast<int>(units.size())));
}

void PlainDocument::remove(int offset, int length) {
  {
    std::lock_guard lock(mutex_);
    const int size = static_cast<int>(text_.size());
    if (offset < 0 || length < 0 || offset > size || length > size - offset) {
      throw BadLocationException("Invalid remove: offset " + std::to_string(offset) + ", length " +
                                 std::to_string(length) + ", document length " + std::to_string(size));
    }
    if (length == 0) return;
    text_.erase(static_cast<size_t>(offset), static_cast<size_t>(length));
  }
  fireRemoveUpdate(DocumentEvent(this, this, DocumentEvent::EventType::REMOVE, offset, length));
}

void PlainDocument::fireInsertUpdate(const DocumentEvent& event) {
  for (const auto& l : listeners_.snapshot()) l->insertUpdate(event);
}

void PlainDocument::fireRemoveUpdate(const DocumentEvent& event) {
  for (const auto& l : listeners_.snapshot()) l->removeUpdate(event);
}

void PlainDocument::fireChangedUpdate(const DocumentEvent& event) {
  for (const auto& l : listeners_.snapshot()) l->changedUpdate(event);
}

}  // namespace plat::gui
