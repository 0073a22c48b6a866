#include "platform/gui/AbstractTableModel.h"

namespace plat::gui {

std::string AbstractTableModel::getColumnName(int column) const {
  std::string name;
  for (int n = column; n >= 0; n = n / 26 - 1) name.insert(name.begin(), static_cast<char>('A' + n % 26));
  return name;
}

int AbstractTableModel::findColumn(const std::string& name) const {
  for (int c = 0; c < getColumnCount(); ++c) {
    if (getColumnName(c) == name) return c;
  }
  return -1;
}

void AbstractTableModel::fireTableDataChanged() {
  fireTableChanged(TableModelEvent(this));
}

void AbstractTableModel::fireTableStructureChanged() {
  fireTableChanged(TableModelEvent(this, TableModelEvent::HEADER_ROW));
}

void AbstractTableModel::fireTableRowsInserted(int firstRow, int lastRow) {
  fireTableChanged(TableModelEvent(this, firstRow, lastRow, TableModelEvent::ALL_COLUMNS, TableModelEvent::INSERT));
}

void AbstractTableModel::fireTableRowsUpdated(int firstRow, int lastRow) {
  fireTableChanged(TableModelEvent(this, firstRow, lastRow, TableModelEvent::ALL_COLUMNS, TableModelEvent::UPDATE));
}

void AbstractTableModel::fireTableRowsDeleted(int firstRow, int lastRow) {
  fireTableChanged(TableModelEvent(this, firstRow, lastRow, TableModelEvent::ALL_COLUMNS, TableModelEvent::DELETE));
}

void AbstractTableModel::fireTableCellUpdated(int row, int column) {
  fireTableChanged(TableModelEvent(this, row, row, column));
}

void AbstractTableModel::fireTableChanged(const TableModelEvent& event) {
  for (const auto& l : listeners_.snapshot()) l->tableChanged(event);
}

}  // namespace plat::gui
