// Base of buttons and check boxes: the state lives in a button model (replaceable); the model's actions and item
// changes are passed on to the button's own listeners with the button as source. A user's click arms and presses
// the model on the press and releases it on the release, so the model decides what a click does. GUI thread only.
#pragma once

#include <string>

#include "platform/gui/ActionSource.h"
#include "platform/gui/ButtonModel.h"
#include "platform/gui/Component.h"
#include "platform/gui/ItemSource.h"

namespace plat::gui {

class AbstractButton : public Component, public ActionSource, public ItemSource {
 public:
  ~AbstractButton() override;

  const plat::lang::Ref<ButtonModel>& getModel() const { return model_; }
  // Null is an IllegalArgumentException.
  void setModel(plat::lang::Ref<ButtonModel> model);
  const std::string& getText() const { return text_; }
  void setText(const std::string& text) { text_ = text; }
  bool isSelected() const { return model_->isSelected(); }
  void setSelected(bool selected) { model_->setSelected(selected); }
  int getHorizontalAlignment() const { return alignment_; }
  void setHorizontalAlignment(int alignment) { alignment_ = alignment; }
  bool isBorderPainted() const { return borderPainted_; }
  void setBorderPainted(bool painted) { borderPainted_ = painted; }
  // A click made by the program, or one a real toolkit's button has seen: the model is armed, pressed and
  // released as by the user's click (so it toggles and acts), without mouse events.
  void doClick();

  void addActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.add(l); }
  void removeActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.remove(l); }
  void addItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.add(l); }
  void removeItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.remove(l); }
  int getActionListenerCount() const { return actionListeners_.size(); }
  int getItemListenerCount() const { return itemListeners_.size(); }

 protected:
  explicit AbstractButton(plat::lang::Ref<ButtonModel> model);
  void processMouse(const MouseEvent& event) override;

 private:
  class Forwarder;

  plat::lang::Ref<ButtonModel> model_;
  plat::lang::Ref<Forwarder> forwarder_;  // registered on model_; refers back to this button
  std::string text_;
  int alignment_ = CENTER;
  bool borderPainted_ = true;
  ListenerList<ActionListener> actionListeners_;
  ListenerList<ItemListener> itemListeners_;
};

}  // namespace plat::gui
