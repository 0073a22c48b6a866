// Base of the text components: the text lives in a document (a plain one at first, replaceable), with a caret and
// a selection in 16-bit units. The user types characters at the caret (replacing the selection) and deletes with
// Backspace; setText replaces the whole text (remove, then insert). The caret moves with text inserted or removed
// before it, wherever the change comes from, and any change of the document drops the selection. GUI thread only.
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
  void setCaretPosition(int position) {
    caret_ = position;
    selectionStart_ = selectionEnd_ = -1;
  }
  // Selects start..end (clamped to the text) with the caret at end; an empty range only moves the caret.
  void select(int start, int end);
  bool hasSelection() const { return selectionStart_ >= 0 && selectionStart_ < selectionEnd_; }
  int getSelectionStart() const { return hasSelection() ? selectionStart_ : getCaretPosition(); }
  int getSelectionEnd() const { return hasSelection() ? selectionEnd_ : getCaretPosition(); }
  // True while setText has removed the old text and is about to insert the new one: a listener that acts on the
  // whole text sees only half a change then.
  bool isReplacingText() const { return replacing_; }
  // Whether typed characters pass the component's own rules (a mask, an amount) rather than landing as typed.
  virtual bool hasTypingRules() const { return false; }
  // A toolkit widget's edit, replayed through the component's own typing rules: the units start..end are replaced
  // by typed, as if the user had selected them and typed (or, with nothing typed, pressed Backspace). The
  // component's listeners are not told: the widget's own key events reach them.
  void replaceRange(int start, int end, std::u16string_view typed);

  // The user types text at the caret, one key per 16-bit unit ("\n" presses Enter).
  void type(std::string_view text);
  void backspace() { pressKey(KeyEvent::VK_BACK_SPACE, u'\b'); }
  void pressEnter() { pressKey(KeyEvent::VK_ENTER, u'\n'); }

 protected:
  void processKey(const KeyEvent& event) override;
  // Enter was pressed; a text field performs its action.
  virtual void enterPressed() {}
  // A typed character to insert at the caret, replacing the selection; masked and currency fields filter it.
  virtual void insertTyped(char16_t unit);
  // Removes the selection, or the character before the caret.
  virtual void deleteBackward();

 private:
  class CaretKeeper;

  plat::lang::Ref<Document> document_;
  plat::lang::Ref<CaretKeeper> caretKeeper_;  // on document_; refers back to this component
  bool editable_ = true;
  bool replacing_ = false;
  int caret_ = 0;
  int selectionStart_ = -1;  // -1: no selection
  int selectionEnd_ = -1;
};

}  // namespace plat::gui
