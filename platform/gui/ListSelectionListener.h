// Told when a list selection model's selection changed.
#pragma once

#include "platform/gui/ListSelectionEvent.h"

namespace plat::gui {

class ListSelectionListener {
 public:
  virtual ~ListSelectionListener() = default;
  virtual void valueChanged(const ListSelectionEvent& event) = 0;
};

}  // namespace plat::gui
