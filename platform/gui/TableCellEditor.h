// A cell editor for tables: gives the component that edits one cell, set up with the cell's value.
#pragma once

#include "platform/gui/CellEditor.h"

namespace plat::gui {

class Component;
class Table;

class TableCellEditor : public CellEditor {
 public:
  virtual Component& getTableCellEditorComponent(Table& table, const plat::lang::Value& value, bool isSelected, int row,
                                                 int column) = 0;
};

}  // namespace plat::gui
