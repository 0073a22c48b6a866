#include "platform/gui/DefaultButtonModel.h"

namespace plat::gui {

void DefaultButtonModel::setArmed(bool armed) {
  if (armed_ == armed || !enabled_) return;
  armed_ = armed;
  fireStateChanged();
}

void DefaultButtonModel::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  fireStateChanged();
  const ItemEvent event(this, plat::lang::Value(), selected ? ItemEvent::SELECTED : ItemEvent::DESELECTED);
  for (const auto& l : itemListeners_.snapshot()) l->itemStateChanged(event);
}

void DefaultButtonModel::setEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (!enabled) {
    armed_ = false;
    pressed_ = false;
  }
  fireStateChanged();
}

void DefaultButtonModel::setPressed(bool pressed) {
  if (pressed_ == pressed || !enabled_) return;
  pressed_ = pressed;
  // The action happens on release, and only when the pointer is still over the button (armed).
  if (!pressed && armed_) {
    if (toggles_) setSelected(!selected_);
    const ActionEvent event(this, command_);
    for (const auto& l : actionListeners_.snapshot()) l->actionPerformed(event);
  }
  fireStateChanged();
}

void DefaultButtonModel::setRollover(bool rollover) {
  if (rollover_ == rollover || !enabled_) return;
  rollover_ = rollover;
  fireStateChanged();
}

void DefaultButtonModel::fireStateChanged() {
  const ChangeEvent event(this);
  for (const auto& l : changeListeners_.snapshot()) l->stateChanged(event);
}

}  // namespace plat::gui
