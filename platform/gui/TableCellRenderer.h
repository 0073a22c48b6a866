// Gives the component that draws one cell of a table, set up for the value and the cell's state.
#pragma once

#include "platform/lang/Value.h"

namespace plat::gui {

class Component;
class Table;

class TableCellRenderer {
 public:
  virtual ~TableCellRenderer() = default;
  // The renderer's component (often the renderer itself), valid until the next call.
  virtual Component& getTableCellRendererComponent(Table& table, const plat::lang::Value& value, bool isSelected,
                                                   bool hasFocus, int row, int column) = 0;
};

}  // namespace plat::gui
