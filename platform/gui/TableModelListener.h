// Told of every change of a table model.
#pragma once

#include "platform/gui/TableModelEvent.h"

namespace plat::gui {

class TableModelListener {
 public:
  virtual ~TableModelListener() = default;
  virtual void tableChanged(const TableModelEvent& event) = 0;
};

}  // namespace plat::gui
