#include "platform/gui/AbstractButton.h"

#include "platform/lang/Exceptions.h"

namespace plat::gui {

class AbstractButton::Forwarder : public ActionListener, public ItemListener {
 public:
  explicit Forwarder(AbstractButton* button) : button_(button) {}
  void actionPerformed(const ActionEvent& e) override {
    const ActionEvent event(button_, e.getActionCommand().empty() ? button_->getText() : e.getActionCommand(),
                            e.getModifiers());
    for (const auto& l : button_->actionListeners_.snapshot()) l->actionPerformed(event);
  }
  void itemStateChanged(const ItemEvent& e) override {
    const ItemEvent event(button_, plat::lang::Value(button_->getText()), e.getStateChange());
    for (const auto& l : button_->itemListeners_.snapshot()) l->itemStateChanged(event);
    button_->repaint();
  }

 private:
  AbstractButton* button_;  // back reference; the button unregisters this forwarder before it goes
};

AbstractButton::AbstractButton(plat::lang::Ref<ButtonModel> model) : forwarder_(plat::lang::makeRef<Forwarder>(this)) {
  setModel(std::move(model));
}

AbstractButton::~AbstractButton() {
  if (model_) {
    model_->removeActionListener(forwarder_);
    model_->removeItemListener(forwarder_);
  }
}

void AbstractButton::setModel(plat::lang::Ref<ButtonModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("a button needs a model");
  if (model_) {
    model_->removeActionListener(forwarder_);
    model_->removeItemListener(forwarder_);
  }
  model_ = std::move(model);
  model_->addActionListener(forwarder_);
  model_->addItemListener(forwarder_);
  repaint();
}

void AbstractButton::doClick() {
  if (!isEnabled()) return;
  model_->setArmed(true);
  model_->setPressed(true);
  model_->setPressed(false);
  model_->setArmed(false);
}

void AbstractButton::processMouse(const MouseEvent& event) {
  if (event.getID() == MouseEvent::MOUSE_PRESSED) {
    model_->setArmed(true);
    model_->setPressed(true);
  } else if (event.getID() == MouseEvent::MOUSE_RELEASED) {
    model_->setPressed(false);
    model_->setArmed(false);
  }
}

}  // namespace plat::gui
