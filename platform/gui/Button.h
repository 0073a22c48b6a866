// A push button: a click performs its action.
#pragma once

#include <string>

#include "platform/gui/AbstractButton.h"

namespace plat::gui {

class Button : public AbstractButton {
 public:
  Button();
  explicit Button(const std::string& text) : Button() { setText(text); }
  std::string getClassName() const override { return "javax.swing.JButton"; }
};

}  // namespace plat::gui
