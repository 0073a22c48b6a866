// The entries a list or combo box shows. A contract only; implementations say their thread rules.
#pragma once

#include "platform/gui/ListDataListener.h"
#include "platform/lang/Value.h"

namespace plat::gui {

class ListModel {
 public:
  virtual ~ListModel() = default;
  virtual int getSize() const = 0;
  // The entry at index; null outside 0..getSize()-1.
  virtual plat::lang::Value getElementAt(int index) const = 0;
  virtual void addListDataListener(const plat::lang::Ref<ListDataListener>& listener) = 0;
  virtual void removeListDataListener(const plat::lang::Ref<ListDataListener>& listener) = 0;
};

}  // namespace plat::gui
