// Base of table models: keeps the table-model listeners and tells them of changes with the precision the change
// has; spreadsheet-style column names ("A", "B", ..., "AA"); read-only cells. Listeners are called on the firing
// thread, outside any lock.
#pragma once

#include <vector>

#include "platform/gui/ListenerList.h"
#include "platform/gui/TableModel.h"

namespace plat::gui {

class AbstractTableModel : public plat::lang::Object, public virtual TableModel {
 public:
  std::string getColumnName(int column) const override;
  std::string getColumnClass(int) const override { return "java.lang.Object"; }
  bool isCellEditable(int, int) const override { return false; }
  void setValueAt(const plat::lang::Value&, int, int) override {}
  // The first column whose name equals name; -1 when none does.
  int findColumn(const std::string& name) const;

  void addTableModelListener(const plat::lang::Ref<TableModelListener>& l) override { listeners_.add(l); }
  void removeTableModelListener(const plat::lang::Ref<TableModelListener>& l) override { listeners_.remove(l); }
  std::vector<plat::lang::Ref<TableModelListener>> getTableModelListeners() const { return listeners_.snapshot(); }
  bool hasTableModelListeners() const { return !listeners_.empty(); }

  void fireTableDataChanged();
  void fireTableStructureChanged();
  void fireTableRowsInserted(int firstRow, int lastRow);
  void fireTableRowsUpdated(int firstRow, int lastRow);
  void fireTableRowsDeleted(int firstRow, int lastRow);
  void fireTableCellUpdated(int row, int column);
  void fireTableChanged(const TableModelEvent& event);

 private:
  ListenerList<TableModelListener> listeners_;
};

}  // namespace plat::gui
