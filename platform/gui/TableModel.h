// The cells a table shows: rows, columns, names, the class name of a column's values, editability, and cell
// values read and written by model row and model column. A contract only; implementations say their thread rules.
#pragma once

#include <string>

#include "platform/gui/TableModelListener.h"
#include "platform/lang/Value.h"

namespace plat::gui {

class TableModel {
 public:
  virtual ~TableModel() = default;
  virtual int getRowCount() const = 0;
  virtual int getColumnCount() const = 0;
  virtual std::string getColumnName(int column) const = 0;
  // Fully qualified class name of the column's values ("java.lang.Object" for any).
  virtual std::string getColumnClass(int column) const = 0;
  virtual bool isCellEditable(int row, int column) const = 0;
  virtual plat::lang::Value getValueAt(int row, int column) const = 0;
  virtual void setValueAt(const plat::lang::Value& value, int row, int column) = 0;
  virtual void addTableModelListener(const plat::lang::Ref<TableModelListener>& listener) = 0;
  virtual void removeTableModelListener(const plat::lang::Ref<TableModelListener>& listener) = 0;
};

}  // namespace plat::gui
