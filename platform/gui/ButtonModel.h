// The state of a button or check box: armed, pressed, selected, enabled, rollover, and the action, item and change
// listeners told of its changes. A contract only; implementations say their thread rules.
#pragma once

#include <string>

#include "platform/gui/ActionListener.h"
#include "platform/gui/ChangeListener.h"
#include "platform/gui/ItemListener.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class ButtonModel {
 public:
  virtual ~ButtonModel() = default;
  virtual bool isArmed() const = 0;
  virtual bool isSelected() const = 0;
  virtual bool isEnabled() const = 0;
  virtual bool isPressed() const = 0;
  virtual bool isRollover() const = 0;
  virtual void setArmed(bool armed) = 0;
  virtual void setSelected(bool selected) = 0;
  virtual void setEnabled(bool enabled) = 0;
  virtual void setPressed(bool pressed) = 0;
  virtual void setRollover(bool rollover) = 0;
  virtual void setActionCommand(const std::string& command) = 0;
  virtual std::string getActionCommand() const = 0;
  virtual void addActionListener(const plat::lang::Ref<ActionListener>& listener) = 0;
  virtual void removeActionListener(const plat::lang::Ref<ActionListener>& listener) = 0;
  virtual void addItemListener(const plat::lang::Ref<ItemListener>& listener) = 0;
  virtual void removeItemListener(const plat::lang::Ref<ItemListener>& listener) = 0;
  virtual void addChangeListener(const plat::lang::Ref<ChangeListener>& listener) = 0;
  virtual void removeChangeListener(const plat::lang::Ref<ChangeListener>& listener) = 0;
};

}  // namespace plat::gui
