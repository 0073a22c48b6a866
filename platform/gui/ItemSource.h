// A component whose items are selected and deselected (combo box, button, check box) and takes item listeners.
#pragma once

#include "platform/gui/ItemListener.h"
#include "platform/lang/Object.h"

namespace plat::gui {

class ItemSource {
 public:
  virtual ~ItemSource() = default;
  virtual void addItemListener(const plat::lang::Ref<ItemListener>& listener) = 0;
  virtual void removeItemListener(const plat::lang::Ref<ItemListener>& listener) = 0;
};

}  // namespace plat::gui
