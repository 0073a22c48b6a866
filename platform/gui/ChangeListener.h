// Told that the state of a model (a button model, a cell editor) changed.
#pragma once

#include "platform/gui/ChangeEvent.h"

namespace plat::gui {

class ChangeListener {
 public:
  virtual ~ChangeListener() = default;
  virtual void stateChanged(const ChangeEvent& event) = 0;
};

}  // namespace plat::gui
