// A check box: a click flips its selection, then performs its action.
#pragma once

#include <string>

#include "platform/gui/AbstractButton.h"

namespace plat::gui {

class CheckBox : public AbstractButton {
 public:
  CheckBox();
  explicit CheckBox(const std::string& text) : CheckBox() { setText(text); }
  std::string getClassName() const override { return "javax.swing.JCheckBox"; }
};

}  // namespace plat::gui
