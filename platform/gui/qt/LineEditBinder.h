// Pairs a QLineEdit with the headless text component whose document a model was given: what the user types goes
// into the document as one removal and one insertion at the changed place (replayed through the component's own
// typing rules when it has them: a masked field's mask, a currency field's amount), a document change from the model
// (or another thread) is shown without being taken for the user's, Enter is a text field's action, and the line edit's
// focus moves the component's focus (so that a commit on focus lost happens when the user leaves the field) while its
// mouse and key events reach the component's listeners. Create and delete it on the GUI thread; it lives as a child of
// the line edit.
#pragma once

#include <QLineEdit>
#include <QObject>
#include <memory>
#include <utility>

#include "platform/gui/TextComponent.h"

namespace plat::gui::qt {

class LineEditBinder : public QObject {
 public:
  LineEditBinder(QLineEdit* edit, plat::lang::Ref<TextComponent> component);
  ~LineEditBinder() override;
  LineEditBinder(const LineEditBinder&) = delete;
  LineEditBinder& operator=(const LineEditBinder&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Mirror;
  void showDocument();
  void userEdited(const QString& text);

  QLineEdit* edit_;  // the parent of this binder
  plat::lang::Ref<TextComponent> component_;
  plat::lang::Ref<Document> document_;  // the document mirror_ listens to
  std::shared_ptr<Mirror> mirror_;
  std::pair<int, int> selectionBefore_{-1, 0};  // start and length of the selection when the last key came
};

}  // namespace plat::gui::qt
