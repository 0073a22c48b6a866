// Reads the rows of a lookup item by position, as the data-bound models show them: a one-value item is one row,
// a collection has one row per member, and a row is either one value (the same for every column) or a collection
// of cells. A single cell reads its member by index; a whole-column read reads every row under the member list's
// lock.
// Stateless; safe from any thread.
#pragma once

#include <vector>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class LookupRows {
 public:
  LookupRows() = delete;

  // 0 for null.
  static int rowCount(const binding::databus::DataItem* lookup);
  static bool isSingleValue(const binding::databus::DataItem* lookup);
  // Whether the row is one value rather than cells.
  static bool isSingleValueRow(const binding::databus::DataItem* lookup, int row);
  // The cell's value; null outside the rows and columns.
  static plat::lang::Value cell(const binding::databus::DataItem* lookup, int row, int column);
  // The cells of rows 0..rows-1, one vector per column asked for, as cell() gives them; the library's own rows and
  // cells are read in place under their locks, in one pass over the row list.
  static std::vector<std::vector<plat::lang::Value>> columns(const binding::databus::DataItem* lookup,
                                                             const std::vector<int>& columns, int rows);
  // A row whose members' status says it changed, with the one column that changed in it (-1: several, or the row
  // is one value).
  struct ChangedRow {
    int row;
    int column;
  };
  // The rows of a collection lookup whose status is not EXISTING (the change record its members keep until it
  // has been seen), in order; none for a one-value lookup or when more than limit rows changed.
  static std::vector<ChangedRow> changedRows(const binding::databus::DataItem* lookup, std::size_t limit);
  // The item holding the cell (for writing); null outside.
  static plat::lang::Ref<binding::databus::DataItem> cellItem(const binding::databus::DataItem* lookup, int row,
                                                              int column);
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
