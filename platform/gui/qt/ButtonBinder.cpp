#include "platform/gui/qt/ButtonBinder.h"

#include <QPointer>
#include <QSignalBlocker>

#include "platform/gui/ChangeListener.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/qt/GuiThread.h"
#include "platform/gui/qt/InputEventFilter.h"
#include "platform/lang/Throwable.h"

namespace plat::gui::qt {

class ButtonBinder::Mirror : public ChangeListener {
 public:
  explicit Mirror(ButtonBinder* binder) : receiver_(binder), binder_(binder) {}
  void stateChanged(const ChangeEvent&) override {
    ButtonBinder* binder = binder_;
    runOnGuiThread(receiver_, [binder] { binder->showState(); });
  }

 private:
  const QPointer<QObject> receiver_;
  ButtonBinder* const binder_;  // back reference, used only while receiver_ holds it
};

ButtonBinder::ButtonBinder(QAbstractButton* button, plat::lang::Ref<AbstractButton> component)
    : QObject(button),
      button_(button),
      component_(std::move(component)),
      model_(component_->getModel()),
      mirror_(std::make_shared<Mirror>(this)) {
  // Only a check box keeps a state that the Qt button shows as checked.
  button_->setCheckable(dynamic_cast<CheckBox*>(component_.get()) != nullptr);
  model_->addChangeListener(mirror_);
  // The filter tells the mouse listeners of the press and release; clicked (the user's only: setChecked below
  // raises toggled, never clicked) then presses the model once, without mouse events of its own.
  InputEventFilter::install(button_, component_);
  connect(button_, &QAbstractButton::clicked, this, [this] {
    try {
      component_->doClick();
    } catch (const plat::lang::Throwable&) {
    }
    showState();
  });
  showState();
}

ButtonBinder::~ButtonBinder() {
  model_->removeChangeListener(mirror_);
}

void ButtonBinder::showState() {
  const QSignalBlocker guard(button_);
  button_->setChecked(component_->isSelected());
  button_->setText(QString::fromStdString(component_->getText()));
}

}  // namespace plat::gui::qt
