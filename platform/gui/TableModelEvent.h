// A change of a table model: rows firstRow..lastRow of one column (or all) updated, inserted or deleted. The
// source-only form means every row changed; a first row of HEADER_ROW means the structure (columns) changed.
#pragma once

#include <limits>

#include "platform/gui/EventObject.h"

namespace plat::gui {

class TableModelEvent : public EventObject {
 public:
  static constexpr int INSERT = 1;
  static constexpr int UPDATE = 0;
  static constexpr int DELETE = -1;
  static constexpr int HEADER_ROW = -1;
  static constexpr int ALL_COLUMNS = -1;
  static constexpr int LAST_ROW = std::numeric_limits<int>::max();  // "to the end" in getLastRow()

  // Every row changed.
  explicit TableModelEvent(plat::lang::Object* source) : TableModelEvent(source, 0, LAST_ROW) {}
  // One row changed; HEADER_ROW for a changed structure.
  TableModelEvent(plat::lang::Object* source, int row) : TableModelEvent(source, row, row) {}
  TableModelEvent(plat::lang::Object* source, int firstRow, int lastRow, int column = ALL_COLUMNS, int type = UPDATE)
      : EventObject(source), first_(firstRow), last_(lastRow), column_(column), type_(type) {}

  int getFirstRow() const { return first_; }
  int getLastRow() const { return last_; }
  int getColumn() const { return column_; }
  int getType() const { return type_; }
  bool isStructureChanged() const { return first_ == HEADER_ROW; }

 private:
  int first_;
  int last_;
  int column_;
  int type_;
};

}  // namespace plat::gui
