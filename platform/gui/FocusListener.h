// Told when a component gains or loses the keyboard focus, on the GUI thread.
#pragma once

#include "platform/gui/FocusEvent.h"

namespace plat::gui {

class FocusListener {
 public:
  virtual ~FocusListener() = default;
  virtual void focusGained(const FocusEvent& event) = 0;
  virtual void focusLost(const FocusEvent& event) = 0;
};

}  // namespace plat::gui
