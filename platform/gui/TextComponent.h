// Base of the text components: the text lives in a document (a plain one at first, replaceable), with a caret in
// 16-bit units. The user types characters at the caret and deletes with Backspace; setText replaces the whole text
// (remove, then insert). The caret moves with text inserted or removed before it, wherever the change comes from.
// GUI thread only.
#pragma once

#include <string>
#include <string_view>

#include "platform/gui/Component.h"
#include "platform/gui/Document.h"

namespace plat::gui {

class TextComponent : public Component {
 public:
  TextComponent();
  ~TextComponent() override;

  const plat::lang::Ref<Document>& getDocument() const { return document_; }
  // A null document is an IllegalArgumentException: a text component always has one.
  void setDocument(plat::lang::Ref<Document> document);
  std::string getText() const;
  virtual void setText(const std::string& text);
  bool isEditable() const { return editable_; }
  void setEditable(bool editable) { editable_ = editable; }
  // Clamped to the document's current length.
  int getCaretPosition() const;
  void setCaretPosition(int position) { caret_ = position; }

  // The user types text at the caret, one key per 16-bit unit ("\n" presses Enter).
  void type(std::string_view text);
  void backspace() { pressKey(KeyEvent::VK_BACK_SPACE, u'\b'); }
  void pressEnter() { pressKey(KeyEvent::VK_ENTER, u'\n'); }

 protected:
  void processKey(const KeyEvent& event) override;
  // Enter was pressed; a text field performs its action.
  virtual void enterPressed() {}
  // A typed character to insert at the caret; masked and currency fields filter it.
  virtual void insertTyped(char16_t unit);
  virtual void deleteBackward();

 private:
  class CaretKeeper;

  plat::lang::Ref<Document> document_;
  plat::lang::Ref<CaretKeeper> caretKeeper_;  // on document_; refers back to this component
  bool editable_ = true;
  int caret_ = 0;
};

}  // namespace plat::gui
