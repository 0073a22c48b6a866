// The columns of a table view in display order, with the column selection. A contract only; implementations say
// their thread rules.
#pragma once

#include <vector>

#include "platform/gui/ListSelectionModel.h"
#include "platform/gui/TableColumn.h"

namespace plat::gui {

class TableColumnModel {
 public:
  virtual ~TableColumnModel() = default;
  virtual void addColumn(const plat::lang::Ref<TableColumn>& column) = 0;
  virtual void removeColumn(const plat::lang::Ref<TableColumn>& column) = 0;
  // IllegalArgumentException for an index outside the columns.
  virtual void moveColumn(int from, int to) = 0;
  virtual int getColumnCount() const = 0;
  // IndexOutOfBoundsException outside the columns.
  virtual plat::lang::Ref<TableColumn> getColumn(int index) const = 0;
  virtual std::vector<plat::lang::Ref<TableColumn>> getColumns() const = 0;
  // The view index of the first column with that identifier; IllegalArgumentException when none has it.
  virtual int getColumnIndex(const plat::lang::Value& identifier) const = 0;
  // The view index of the column under x (columns laid side by side at their widths); -1 when none is.
  virtual int getColumnIndexAtX(int x) const = 0;
  virtual int getTotalColumnWidth() const = 0;
  virtual void setColumnSelectionAllowed(bool allowed) = 0;
  virtual bool getColumnSelectionAllowed() const = 0;
  virtual plat::lang::Ref<ListSelectionModel> getSelectionModel() const = 0;
  virtual void setSelectionModel(plat::lang::Ref<ListSelectionModel> model) = 0;
};

}  // namespace plat::gui
