// Pairs a QTableView with the headless table its model was given: the view shows the model through a
// TableModelAdapter, its row selection and the table's selection model follow each other (a change the model made
// is mirrored under a guard and never echoed back as the user's, nor is what the view does to its selection while
// the model resets, inserts or removes rows), a header click (with its Shift and Ctrl keys) reaches the table
// header's mouse listeners, column widths stay within each column's minimum and maximum, the view's focus, mouse
// and key events reach the table's listeners, and edits go through the column's cell editor (a click count its
// editor accepts starts one). Create and delete it on the GUI thread; it lives as a child of the view.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTableView>

#include "platform/gui/ListSelectionListener.h"
#include "platform/gui/Table.h"
#include "platform/gui/qt/TableModelAdapter.h"

namespace plat::gui::qt {

class TableViewBinder : public QObject {
 public:
  TableViewBinder(QTableView* view, plat::lang::Ref<Table> table);
  ~TableViewBinder() override;
  TableViewBinder(const TableViewBinder&) = delete;
  TableViewBinder& operator=(const TableViewBinder&) = delete;

  TableModelAdapter* adapter() const { return adapter_; }

 private:
  class SelectionMirror;
  class Delegate;

  // Watches the table's current selection model (a bound model may replace it).
  void watchSelectionModel();
  void showSelection();
  void userSelected();
  // The user clicked a cell clickCount times: enough clicks for its editor start editing.
  void clickedCell(const QModelIndex& index, int clickCount);
  Point pointOfCellAt(const QPoint& at) const;
  void headerClicked(int section);
  void applyWidths();
  void resized(int section, int newSize);

  QTableView* view_;  // the parent of this binder
  plat::lang::Ref<Table> table_;
  TableModelAdapter* adapter_;  // child of this binder
  std::shared_ptr<SelectionMirror> mirror_;
  plat::lang::Ref<ListSelectionModel> watched_;  // the selection model mirror_ listens to
  bool mirroring_ = false;                       // true while the view is set from the model: its signals are no user's
  int modelChanging_ = 0;                        // inside a reset, insertion or removal of the adapter's rows
};

}  // namespace plat::gui::qt
