#include "platform/gui/TextComponent.h"

#include <algorithm>

#include "platform/gui/PlainDocument.h"
#include "platform/lang/Exceptions.h"
#include "platform/text/Utf16.h"

namespace plat::gui {

class TextComponent::CaretKeeper : public DocumentListener {
 public:
  explicit CaretKeeper(TextComponent* owner) : owner_(owner) {}
  void insertUpdate(const DocumentEvent& e) override {
    owner_->selectionStart_ = owner_->selectionEnd_ = -1;
    if (e.getOffset() <= owner_->caret_) owner_->caret_ += e.getLength();
  }
  void removeUpdate(const DocumentEvent& e) override {
    owner_->selectionStart_ = owner_->selectionEnd_ = -1;
    if (owner_->caret_ > e.getOffset()) owner_->caret_ = std::max(e.getOffset(), owner_->caret_ - e.getLength());
  }
  void changedUpdate(const DocumentEvent&) override {}

 private:
  TextComponent* owner_;  // back reference; the component unregisters this keeper before it goes
};

TextComponent::TextComponent()
    : document_(plat::lang::makeRef<PlainDocument>()), caretKeeper_(plat::lang::makeRef<CaretKeeper>(this)) {
  document_->addDocumentListener(caretKeeper_);
}

TextComponent::~TextComponent() {
  document_->removeDocumentListener(caretKeeper_);
}

void TextComponent::setDocument(plat::lang::Ref<Document> document) {
  if (!document) throw plat::lang::IllegalArgumentException("a text component needs a document");
  document_->removeDocumentListener(caretKeeper_);
  document_ = std::move(document);
  document_->addDocumentListener(caretKeeper_);
  caret_ = document_->getLength();
}

std::string TextComponent::getText() const {
  return document_->getText(0, document_->getLength());
}

void TextComponent::setText(const std::string& text) {
  struct Replacing {
    bool& flag;
    ~Replacing() { flag = false; }
  } replacing{replacing_};
  replacing_ = !text.empty() && document_->getLength() > 0;
  document_->remove(0, document_->getLength());
  replacing_ = false;
  document_->insertString(0, text);
}

void TextComponent::select(int start, int end) {
  const int length = document_->getLength();
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  caret_ = end;
  selectionStart_ = start;
  selectionEnd_ = end;
}

void TextComponent::replaceRange(int start, int end, std::u16string_view typed) {
  if (!editable_) return;
  select(start, end);
  if (typed.empty()) {
    if (hasSelection()) deleteBackward();
    return;
  }
  for (char16_t unit : typed) insertTyped(unit);
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
  if (hasSelection()) {
    const int start = selectionStart_;
    document_->remove(start, selectionEnd_ - start);
    caret_ = start;
  }
  const int at = getCaretPosition();
  caret_ = at;
  document_->insertString(at, plat::text::utf16::toUtf8(std::u16string_view(&unit, 1)));
}

void TextComponent::deleteBackward() {
  if (hasSelection()) {
    const int start = selectionStart_;
    document_->remove(start, selectionEnd_ - start);
    caret_ = start;
    return;
  }
  const int at = getCaretPosition();
  if (at == 0) return;
  caret_ = at;
  document_->remove(at - 1, 1);
}

}  // namespace plat::gui
