// The plain button model. Releasing a pressed, armed button performs its action; a toggling model (check boxes)
// first flips its selection. Every state change tells the change listeners; a selection change also tells the
// item listeners. GUI thread only.
#pragma once

#include "platform/gui/ButtonModel.h"
#include "platform/gui/ListenerList.h"

namespace plat::gui {

class DefaultButtonModel : public plat::lang::Object, public ButtonModel {
 public:
  explicit DefaultButtonModel(bool toggles = false) : toggles_(toggles) {}
  DefaultButtonModel(const DefaultButtonModel&) = delete;
  DefaultButtonModel& operator=(const DefaultButtonModel&) = delete;

  bool isArmed() const override { return armed_; }
  bool isSelected() const override { return selected_; }
  bool isEnabled() const override { return enabled_; }
  bool isPressed() const override { return pressed_; }
  bool isRollover() const override { return rollover_; }
  void setArmed(bool armed) override;
  void setSelected(bool selected) override;
  void setEnabled(bool enabled) override;
  void setPressed(bool pressed) override;
  void setRollover(bool rollover) override;
  void setActionCommand(const std::string& command) override { command_ = command; }
  std::string getActionCommand() const override { return command_; }
  void addActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.add(l); }
  void removeActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.remove(l); }
  void addItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.add(l); }
  void removeItemListener(const plat::lang::Ref<ItemListener>& l) override { itemListeners_.remove(l); }
  void addChangeListener(const plat::lang::Ref<ChangeListener>& l) override { changeListeners_.add(l); }
  void removeChangeListener(const plat::lang::Ref<ChangeListener>& l) override { changeListeners_.remove(l); }

  std::string getClassName() const override { return "javax.swing.DefaultButtonModel"; }

 private:
  void fireStateChanged();

  const bool toggles_;
  bool armed_ = false;
  bool selected_ = false;
  bool enabled_ = true;
  bool pressed_ = false;
  bool rollover_ = false;
  std::string command_;
  ListenerList<ActionListener> actionListeners_;
  ListenerList<ItemListener> itemListeners_;
  ListenerList<ChangeListener> changeListeners_;
};

}  // namespace plat::gui
