#include "platform/gui/TextComponent.h"

#include <algorithm>

#include "platform/gui/PlainDocument.h"
#include "platform/lang/Exceptions.h"
#include "platform/text/Utf16.h"

namespace plat::gui {

TextComponent::TextComponent() : document_(plat::lang::makeRef<PlainDocument>()) {}

void TextComponent::setDocument(plat::lang::Ref<Document> document) {
  if (!document) throw plat::lang::IllegalArgumentException("a text component needs a document");
  document_ = std::move(document);
  caret_ = document_->getLength();
}

std::string TextComponent::getText() const {
  return document_->getText(0, document_->getLength());
}

void TextComponent::setText(const std::string& text) {
  document_->remove(0, document_->getLength());
  document_->insertString(0, text);
  caret_ = document_->getLength();
}

int TextComponent::getCaretPosition() const {
  return std::clamp(caret_, 0, document_->getLength());
}

void TextComponent::type(std::string_view text) {
  for (char16_t unit : plat::text::utf16::fromUtf8(text)) {
    if (unit == u'\n') {
      pressEnter();
    } else {
      pressKey(KeyEvent::VK_UNDEFINED, unit);
    }
  }
}

void TextComponent::processKey(const KeyEvent& event) {
  if (event.getID() == KeyEvent::KEY_PRESSED && event.getKeyCode() == KeyEvent::VK_ENTER) {
    enterPressed();
  } else if (event.getID() == KeyEvent::KEY_PRESSED && event.getKeyCode() == KeyEvent::VK_BACK_SPACE) {
    if (editable_) deleteBackward();
  } else if (event.getID() == KeyEvent::KEY_TYPED && editable_ && event.getKeyChar() >= u' ' &&
             event.getKeyChar() != u'\x7f') {
    insertTyped(event.getKeyChar());
  }
}

void TextComponent::insertTyped(char16_t unit) {
  const int at = getCaretPosition();
  document_->insertString(at, plat::text::utf16::toUtf8(std::u16string_view(&unit, 1)));
  caret_ = at + 1;
}

void TextComponent::deleteBackward() {
  const int at = getCaretPosition();
  if (at == 0) return;
  document_->remove(at - 1, 1);
  caret_ = at - 1;
}

}  // namespace plat::gui
