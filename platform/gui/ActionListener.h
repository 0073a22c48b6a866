// Told of a component's actions, on the GUI thread.
#pragma once

#include "platform/gui/ActionEvent.h"

namespace plat::gui {

class ActionListener {
 public:
  virtual ~ActionListener() = default;
  virtual void actionPerformed(const ActionEvent& event) = 0;
};

}  // namespace plat::gui
