// A component that performs actions (text field, button, combo box) and takes action listeners. Callers that add
// a listener only where the component has the operation test for this contract.
#pragma once

#include "platform/gui/ActionListener.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class ActionSource {
 public:
  virtual ~ActionSource() = default;
  virtual void addActionListener(const plat::lang::Ref<ActionListener>& listener) = 0;
  virtual void removeActionListener(const plat::lang::Ref<ActionListener>& listener) = 0;
};

}  // namespace plat::gui
