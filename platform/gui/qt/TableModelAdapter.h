// Shows a plat::gui::TableModel in a Qt table view: counts clamped at 0, the cells' display and edit text, and,
// when the headless table the model was given is known, its headers and the colours, tooltip, check state and
// alignment of each cell's renderer component. Edits go to setValueAt (a check-box cell through its column's cell
// editor, so that it writes the editor's value); a cell is editable when the model says so. The model's events
// reach Qt on the GUI thread, mapped one to one: rows changed, all rows (reset), header row (header changed and
// reset), rows inserted and rows removed. Create, use and delete it on the GUI thread.
#pragma once

#include <QAbstractTableModel>
#include <memory>

#include "platform/gui/Table.h"
#include "platform/gui/TableModel.h"

namespace plat::gui::qt {

class TableModelAdapter : public QAbstractTableModel {
 public:
  // table (may be null) is the headless table the model was given: its column model and renderers.
  explicit TableModelAdapter(plat::lang::Ref<TableModel> model, plat::lang::Ref<Table> table = nullptr,
                             QObject* parent = nullptr);
  ~TableModelAdapter() override;
  TableModelAdapter(const TableModelAdapter&) = delete;
  TableModelAdapter& operator=(const TableModelAdapter&) = delete;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  const plat::lang::Ref<TableModel>& model() const { return model_; }
  const plat::lang::Ref<Table>& table() const { return table_; }

 private:
  class Listener;
  void tableChanged(int type, int firstRow, int lastRow, int column);
  void resyncCounts();
  // The renderer component of the cell as the headless table draws it; null without a table or view column.
  Component* rendererComponent(int row, int column) const;
  bool hasOwnRenderer(int column) const;

  plat::lang::Ref<TableModel> model_;
  plat::lang::Ref<Table> table_;
  std::shared_ptr<Listener> listener_;  // registered on model_ while this lives
  int rows_ = 0;                        // the counts the views were last told
  int columns_ = 0;
};

}  // namespace plat::gui::qt
