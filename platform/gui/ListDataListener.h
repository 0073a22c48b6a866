// Told of entries added to, removed from or changed in a list model.
#pragma once

#include "platform/gui/ListDataEvent.h"

namespace plat::gui {

class ListDataListener {
 public:
  virtual ~ListDataListener() = default;
  virtual void intervalAdded(const ListDataEvent& event) = 0;
  virtual void intervalRemoved(const ListDataEvent& event) = 0;
  virtual void contentsChanged(const ListDataEvent& event) = 0;
};

}  // namespace plat::gui
