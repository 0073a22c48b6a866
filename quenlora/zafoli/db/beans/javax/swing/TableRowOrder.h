// The sorted view of a bound table's rows: the view-to-model row map, the sort list that header clicks build, the
// application's column comparators, and the order of two rows under that list. Sorting reads the sort columns once
// into keys, runs an algorithm on a scratch array and installs the result only when the algorithm completed with a
// permutation of the rows, so a failing comparator or algorithm leaves the previous order. Used on the GUI thread
// only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/javax/swing/SortKeys.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableSorting.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class TableRowOrder {
 public:
  // The raw cell value of a model row: never a display text, so that numbers sort as numbers.
  using CellReader = std::function<plat::lang::Value(int modelRow, int column)>;
  // The raw values of model rows 0..rows-1, one vector per column asked for; reads a whole sort's cells at once.
  using ColumnReader =
      std::function<std::vector<std::vector<plat::lang::Value>>(const std::vector<int>& columns, int rows)>;

  // Without a column reader the sort's cells are read one by one.
  explicit TableRowOrder(CellReader cells, ColumnReader columns = {});
  TableRowOrder(const TableRowOrder&) = delete;
  TableRowOrder& operator=(const TableRowOrder&) = delete;

  // The table binding's column names, in model column order: the comparators are found through them.
  void setColumnNames(std::vector<std::string> names) { columnNames_ = std::move(names); }
  const std::vector<std::string>& columnNames() const { return columnNames_; }
  // Ignored when a comparator for a column of the same name, without regard to case, is registered already.
  void addColumnSorter(const plat::lang::Ref<ColumnSorter>& sorter);

  // Brings the map to rowCount entries: more rows keep the order and append in source order; fewer reset it to
  // source order.
  void update(int rowCount);
  // The model row shown at viewRow, and back; a row outside the map maps to itself.
  int toModel(int viewRow) const;
  int toView(int modelRow) const;
  const std::vector<int>& indexes() const { return indexes_; }

  // A header click on a model column: plain toggles that one column, Shift appends it or flips its direction.
  void click(int modelColumn, bool shift);
  const std::vector<SortSpec>& sortingColumns() const { return sortingColumns_; }

  // Orders the map with the algorithm. False, with the previous order kept and the reason on standard output,
  // when the algorithm or a comparator throws or the algorithm gives back no permutation of the rows.
  bool sort(SortAlgorithm& algorithm);

  // The order of two model rows under the sort list: negative, zero or positive.
  int compare(int rowA, int rowB) const;
  // While sort() runs: the keys its compare() uses, for an algorithm that compares them directly; else null.
  const SortKeys* activeKeys() const { return sorting_ ? &keys_ : nullptr; }
  // The order of two cells of one column: nulls first, then the comparator when there is one, then numbers,
  // plain date-times and Booleans by value when both are of that family, else the texts by 16-bit code units.
  static int compareValues(const plat::lang::Value& a, const plat::lang::Value& b, ColumnSorter* sorter);

 private:
  ColumnSorter* sorterFor(int column) const;
  void readKeys();

  CellReader cells_;
  ColumnReader columns_;
  std::vector<std::string> columnNames_;
  std::vector<plat::lang::Ref<ColumnSorter>> sorters_;
  std::vector<SortSpec> sortingColumns_;
  std::vector<int> indexes_;  // entry v: the model row shown at view row v
  int lastSortColumn_ = -1;
  bool ascending_ = false;  // direction of the last plain click

  // While sort() runs: the sort columns' keys by model row, read once instead of at every comparison.
  SortKeys keys_;
  bool sorting_ = false;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
