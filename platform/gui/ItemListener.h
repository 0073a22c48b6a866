// Told when an item becomes selected or deselected, on the GUI thread.
#pragma once

#include "platform/gui/ItemEvent.h"

namespace plat::gui {

class ItemListener {
 public:
  virtual ~ItemListener() = default;
  virtual void itemStateChanged(const ItemEvent& event) = 0;
};

}  // namespace plat::gui
