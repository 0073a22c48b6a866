#include "platform/gui/qt/LineEditBinder.h"

#include <QPointer>

#include "platform/gui/DocumentListener.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/InputEventFilter.h"
#include "platform/lang/Throwable.h"
#include "platform/text/Utf16.h"

namespace plat::gui::qt {

class LineEditBinder::Mirror : public DocumentListener {
 public:
  explicit Mirror(LineEditBinder* binder) : receiver_(binder), binder_(binder) {}
  void insertUpdate(const DocumentEvent&) override { post(); }
  void removeUpdate(const DocumentEvent&) override { post(); }
  void changedUpdate(const DocumentEvent&) override { post(); }

 private:
  void post() {
    LineEditBinder* binder = binder_;
    runOnGuiThread(receiver_, [binder] { binder->showDocument(); });
  }
  const QPointer<QObject> receiver_;
  LineEditBinder* const binder_;  // back reference, used only while receiver_ holds it
};

LineEditBinder::LineEditBinder(QLineEdit* edit, plat::lang::Ref<TextComponent> component)
    : QObject(edit),
      edit_(edit),
      component_(std::move(component)),
      document_(component_->getDocument()),
      mirror_(std::make_shared<Mirror>(this)) {
  if (document_) document_->addDocumentListener(mirror_);
  // textEdited comes from the user only; setText from the model does not raise it, so nothing is echoed.
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) { userEdited(text); });
  // The filter only tells the key listeners, so the field's own answer to Enter comes from Qt's.
  connect(edit_, &QLineEdit::returnPressed, this, [this] {
    if (auto* field = dynamic_cast<TextField*>(component_.get())) {
      try {
        field->postActionEvent();
      } catch (const plat::lang::Throwable&) {
      }
    }
  });
  InputEventFilter::install(edit_, component_);
  edit_->installEventFilter(this);
  showDocument();
}

bool LineEditBinder::eventFilter(QObject* watched, QEvent* event) {
  // What was selected before a key acts: a key the field refuses leaves it selected.
  if (watched == edit_ && event->type() == QEvent::KeyPress) {
    selectionBefore_ = {edit_->selectionStart(), edit_->selectionLength()};
  }
  return QObject::eventFilter(watched, event);
}

LineEditBinder::~LineEditBinder() {
  if (document_) document_->removeDocumentListener(mirror_);
}

void LineEditBinder::showDocument() {
  if (!document_) return;
  try {
    const QString text = QString::fromStdString(document_->getText(0, document_->getLength()));
    if (text != edit_->text()) edit_->setText(text);
  } catch (const plat::lang::Throwable&) {
  }
}

void LineEditBinder::userEdited(const QString& qtext) {
  if (!document_) return;
  try {
    // Offsets count 16-bit units on both sides: a QString is UTF-16.
    const std::u16string now(reinterpret_cast<const char16_t*>(qtext.utf16()), static_cast<std::size_t>(qtext.size()));
    const std::u16string before = plat::text::utf16::fromUtf8(document_->getText(0, document_->getLength()));
    std::size_t prefix = 0;
    while (prefix < now.size() && prefix < before.size() && now[prefix] == before[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < now.size() - prefix && suffix < before.size() - prefix &&
           now[now.size() - 1 - suffix] == before[before.size() - 1 - suffix]) {
      ++suffix;
    }
    const int removed = static_cast<int>(before.size() - prefix - suffix);
    const std::u16string inserted = now.substr(prefix, now.size() - prefix - suffix);
    if (component_->hasTypingRules()) {
      // A masked or currency field decides what the edit makes of its text; the line edit shows the outcome,
      // with the caret where the field put it, or, when the field refused the edit, what it showed before.
      component_->replaceRange(static_cast<int>(prefix), static_cast<int>(prefix) + removed, inserted);
      const bool refused = plat::text::utf16::fromUtf8(document_->getText(0, document_->getLength())) == before;
      showDocument();
      if (refused && selectionBefore_.second > 0) {
        edit_->setSelection(selectionBefore_.first, selectionBefore_.second);
      } else {
        edit_->setCursorPosition(component_->getCaretPosition());
      }
      selectionBefore_ = {-1, 0};  // an edit that came without a key (a paste from the menu) restores none
      return;
    }
    if (removed > 0) document_->remove(static_cast<int>(prefix), removed);
    if (!inserted.empty()) document_->insertString(static_cast<int>(prefix), plat::text::utf16::toUtf8(inserted));
  } catch (const plat::lang::Throwable&) {
    showDocument();
  }
}

}  // namespace plat::gui::qt
