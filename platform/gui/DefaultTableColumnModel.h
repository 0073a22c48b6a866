// The plain column model: a list of columns and a column selection model. GUI thread only.
#pragma once

#include "platform/gui/TableColumnModel.h"

namespace plat::gui {

class DefaultTableColumnModel : public plat::lang::Object, public TableColumnModel {
 public:
  DefaultTableColumnModel();

  void addColumn(const plat::lang::Ref<TableColumn>& column) override;
  void removeColumn(const plat::lang::Ref<TableColumn>& column) override;
  void moveColumn(int from, int to) override;
  int getColumnCount() const override { return static_cast<int>(columns_.size()); }
  plat::lang::Ref<TableColumn> getColumn(int index) const override;
  std::vector<plat::lang::Ref<TableColumn>> getColumns() const override { return columns_; }
  int getColumnIndex(const plat::lang::Value& identifier) const override;
  int getColumnIndexAtX(int x) const override;
  int getTotalColumnWidth() const override;
  void setColumnSelectionAllowed(bool allowed) override { columnSelectionAllowed_ = allowed; }
  bool getColumnSelectionAllowed() const override { return columnSelectionAllowed_; }
  plat::lang::Ref<ListSelectionModel> getSelectionModel() const override { return selectionModel_; }
  void setSelectionModel(plat::lang::Ref<ListSelectionModel> model) override;

  std::string getClassName() const override { return "javax.swing.table.DefaultTableColumnModel"; }

 private:
  std::vector<plat::lang::Ref<TableColumn>> columns_;
  plat::lang::Ref<ListSelectionModel> selectionModel_;
  bool columnSelectionAllowed_ = false;
};

}  // namespace plat::gui
