// Pairs a QAbstractButton with a headless button: the user's click is the headless button's click (its model
// toggles and its action fires, once), its focus, mouse and key events reach the button's listeners, and a
// selection the model makes is shown without being taken for a click. Create and delete it on the GUI thread; it
// lives as a child of the button.
#pragma once

#include <QAbstractButton>
#include <QObject>
#include <memory>

#include "platform/gui/AbstractButton.h"

namespace plat::gui::qt {

class ButtonBinder : public QObject {
 public:
  ButtonBinder(QAbstractButton* button, plat::lang::Ref<AbstractButton> component);
  ~ButtonBinder() override;
  ButtonBinder(const ButtonBinder&) = delete;
  ButtonBinder& operator=(const ButtonBinder&) = delete;

 private:
  class Mirror;
  void showState();

  QAbstractButton* button_;  // the parent of this binder
  plat::lang::Ref<AbstractButton> component_;
  plat::lang::Ref<ButtonModel> model_;  // the model mirror_ listens to
  std::shared_ptr<Mirror> mirror_;
};

}  // namespace plat::gui::qt
