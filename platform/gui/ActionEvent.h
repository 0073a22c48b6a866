// A component's action: Enter in a text field, a button pressed, a combo-box entry chosen.
#pragma once

#include <string>

#include "platform/gui/InputEvent.h"

namespace plat::gui {

class ActionEvent : public InputEvent {
 public:
  static constexpr int ACTION_PERFORMED = 1001;

  ActionEvent(plat::lang::Object* source, std::string command, int modifiers = 0)
      : InputEvent(source, ACTION_PERFORMED, modifiers), command_(std::move(command)) {}
  const std::string& getActionCommand() const { return command_; }

 private:
  std::string command_;
};

}  // namespace plat::gui
