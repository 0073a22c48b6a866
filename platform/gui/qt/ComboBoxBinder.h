// Pairs a QComboBox with a headless combo box: the entries come from its model through a ListModelAdapter, the
// model's selection is shown under a guard, only the user's choice (activated) reaches the headless box as its
// action, and its focus, mouse and key events reach the box's listeners. Create and delete it on the GUI thread; it
// lives as a child of the combo box.
#pragma once

#include <QComboBox>
#include <QObject>
#include <memory>

#include "platform/gui/ComboBox.h"
#include "platform/gui/qt/ListModelAdapter.h"

namespace plat::gui::qt {

class ComboBoxBinder : public QObject {
 public:
  ComboBoxBinder(QComboBox* box, plat::lang::Ref<ComboBox> component);
  ~ComboBoxBinder() override;
  ComboBoxBinder(const ComboBoxBinder&) = delete;
  ComboBoxBinder& operator=(const ComboBoxBinder&) = delete;

 private:
  class Mirror;
  void showSelection();
  void userActivated(int index);

  QComboBox* box_;  // the parent of this binder
  plat::lang::Ref<ComboBox> component_;
  plat::lang::Ref<ComboBoxModel> model_;  // the model mirror_ listens to
  ListModelAdapter* adapter_;             // child of this binder
  std::shared_ptr<Mirror> mirror_;
};

}  // namespace plat::gui::qt
