// The binding model of a sortable data-bound table: it shows the lookup binding's rows in an order the user picks
// by clicking column headers (several columns with Shift) without touching the data source, takes application
// comparators per column and a replaceable sort algorithm, and carries per-column attributes (editors, renderers,
// widths, editability) through a DBColumnModel. Sorting compares the raw cell values, never their display texts.
// Thread contract as BindingModel; sorting and the row map belong to the GUI thread. Make it with makeRef.
#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "platform/gui/Table.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableRowOrder.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableSorting.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class TableBindingModel : public BindingModel {
 public:
  static constexpr const char* PROP_COLUMN_ATTRIBUTES = "columnAttributes";
  using SortSpec = swing::SortSpec;
  using ColumnSorter = swing::ColumnSorter;
  using SortAlgorithm = swing::SortAlgorithm;

  TableBindingModel();
  ~TableBindingModel() override;

  // The component as a table; null when it is none.
  plat::lang::Ref<plat::gui::Table> getTable() const;
  void setTable(const plat::lang::Ref<plat::gui::Table>& table);
  std::string getTableBinding() const { return getLookupBinding(); }
  void setTableBinding(const std::string& name) { setLookupBinding(name); }

  std::vector<plat::lang::Ref<ColumnAttributes>> getColumnAttributes() const;
  // Null outside the columns.
  plat::lang::Ref<ColumnAttributes> getColumnAttributes(int column) const;
  // A non-empty array gives the table a new DBColumnModel built from it and switches its automatic column creation
  // off; failures print their message.
  void setColumnAttributes(std::vector<plat::lang::Ref<ColumnAttributes>> attributes);
  // Null, or a column outside the array, is ignored.
  void setColumnAttributes(int column, plat::lang::Ref<ColumnAttributes> attributes);

  // Ignored when a comparator for a column of the same name, without regard to case, is registered.
  void addColumnSorter(const plat::lang::Ref<ColumnSorter>& sorter);
  // Also hands the algorithm this model; null puts the built-in one back.
  void setSortAlgorithm(plat::lang::Ref<SortAlgorithm> algorithm);
  // The order of two model rows under the sort list.
  int compare(int rowA, int rowB) const;
  // The current sort list and view-to-model row map.
  std::vector<SortSpec> getSortingColumns() const;
  std::vector<int> getIndexes() const;

  plat::lang::Value getValueAt(int row, int column) const override;
  void setValueAt(const plat::lang::Value& value, int row, int column) override;
  bool isCellEditable(int row, int column) const override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.TableBindingModel"; }

 protected:
  int convertRowIndexToView(int modelRow) const override;
  int convertRowIndexToModel(int viewRow) const override;

 private:
  class HeaderListener;
  friend class HeaderListener;
  friend class ShuttleSort;

  // Adds the header listener once and brings the row map to the row count (identity at design time).
  void upkeep() const;
  void headerClicked(int viewColumn, int clickCount, int modifiers);
  void sort();
  plat::lang::Value rawValueAt(int modelRow, int column) const;
  // Whether the column's editor and renderer lay the value out themselves (masked, currency): they get the value.
  bool formatsItself(int column) const;
  // Under orderMutex_: notes whether any column formats itself.
  void noteOwnFormatColumns();
  std::vector<std::vector<plat::lang::Value>> rawColumns(const std::vector<int>& columns, int rows) const;
  // The keys of the sort under way, for the built-in algorithm on the sorting thread (which holds orderMutex_ for
  // the whole sort); null when no sort runs.
  const SortKeys* sortKeys() const;

  mutable std::recursive_mutex orderMutex_;
  mutable TableRowOrder order_;                                      // guarded by orderMutex_
  plat::lang::Ref<SortAlgorithm> sortAlgorithm_;                     // guarded by orderMutex_
  std::vector<plat::lang::Ref<ColumnAttributes>> columnAttributes_;  // guarded by orderMutex_
  mutable plat::lang::Ref<HeaderListener> headerListener_;           // guarded by orderMutex_; null until added
  mutable bool columnNamesRead_ = false;                             // guarded by orderMutex_
  std::atomic<bool> ownFormatColumns_{false};                        // a column formats itself
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
