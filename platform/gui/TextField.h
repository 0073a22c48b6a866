// A one-line text field: Enter performs its action, whose command is the field's text.
#pragma once

#include "platform/gui/ActionSource.h"
#include "platform/gui/TextComponent.h"

namespace plat::gui {

class TextField : public TextComponent, public ActionSource {
 public:
  TextField() = default;
  explicit TextField(const std::string& text) { setText(text); }

  void addActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.add(l); }
  void removeActionListener(const plat::lang::Ref<ActionListener>& l) override { actionListeners_.remove(l); }
  int getActionListenerCount() const { return actionListeners_.size(); }
  void postActionEvent();
  int getHorizontalAlignment() const { return alignment_; }
  void setHorizontalAlignment(int alignment) { alignment_ = alignment; }

  std::string getClassName() const override { return "javax.swing.JTextField"; }

 protected:
  void enterPressed() override { postActionEvent(); }

 private:
  ListenerList<ActionListener> actionListeners_;
  int alignment_ = LEADING;
};

}  // namespace plat::gui
