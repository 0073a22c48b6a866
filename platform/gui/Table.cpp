#include "platform/gui/Table.h"

#include "platform/gui/DefaultCellEditor.h"
#include "platform/gui/DefaultListSelectionModel.h"
#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/DefaultTableColumnModel.h"
#include "platform/gui/UIManager.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {
namespace {

// A table made without a model shows nothing.
class EmptyTableModel : public TableModel {
 public:
  int getRowCount() const override { return 0; }
  int getColumnCount() const override { return 0; }
  std::string getColumnName(int) const override { return {}; }
  std::string getColumnClass(int) const override { return "java.lang.Object"; }
  bool isCellEditable(int, int) const override { return false; }
  plat::lang::Value getValueAt(int, int) const override { return {}; }
  void setValueAt(const plat::lang::Value&, int, int) override {}
  void addTableModelListener(const plat::lang::Ref<TableModelListener>&) override {}
  void removeTableModelListener(const plat::lang::Ref<TableModelListener>&) override {}
};

}  // namespace

class Table::Watcher : public TableModelListener, public CellEditorListener {
 public:
  explicit Watcher(Table* table) : table_(table) {}

  void tableChanged(const TableModelEvent& e) override {
    if (e.isStructureChanged()) {
      table_->clearSelection();
      if (table_->autoCreateColumns_) table_->createDefaultColumnsFromModel();
    } else if (e.getType() == TableModelEvent::INSERT) {
      table_->selectionModel_->insertIndexInterval(e.getFirstRow(), e.getLastRow() - e.getFirstRow() + 1, true);
    } else if (e.getType() == TableModelEvent::DELETE) {
      table_->selectionModel_->removeIndexInterval(e.getFirstRow(), e.getLastRow());
    } else if (e.getLastRow() == TableModelEvent::LAST_ROW && e.getColumn() == TableModelEvent::ALL_COLUMNS) {
      table_->clearSelection();
    }
    table_->repaint();
  }
  void editingStopped(const ChangeEvent&) override {
    if (!table_->cellEditor_) return;
    const plat::lang::Value value = table_->cellEditor_->getCellEditorValue();
    const int row = table_->editingRow_;
    const int column = table_->editingColumn_;
    table_->removeEditor();
    table_->setValueAt(value, row, column);
  }
  void editingCanceled(const ChangeEvent&) override { table_->removeEditor(); }

 private:
  Table* table_;  // back reference; the table unregisters this watcher before it goes
};

Table::Table() : Table(nullptr) {}

Table::Table(plat::lang::Ref<TableModel> model)
    : model_(std::make_shared<EmptyTableModel>()),
      columnModel_(plat::lang::makeRef<DefaultTableColumnModel>()),
      selectionModel_(plat::lang::makeRef<DefaultListSelectionModel>()),
      header_(plat::lang::makeRef<TableHeader>(this)),
      watcher_(plat::lang::makeRef<Watcher>(this)),
      defaultRenderer_(plat::lang::makeRef<DefaultTableCellRenderer>()),
      defaultEditor_(plat::lang::makeRef<DefaultCellEditor>(plat::lang::makeRef<TextField>())),
      selectionBackground_(UIManager::getColor("Table.selectionBackground").value_or(Color::lightGray)),
      selectionForeground_(UIManager::getColor("Table.selectionForeground").value_or(Color::black)) {
  if (model) setModel(std::move(model));
}

Table::~Table() {
  model_->removeTableModelListener(watcher_);
  if (cellEditor_) cellEditor_->removeCellEditorListener(watcher_);
}

void Table::setModel(plat::lang::Ref<TableModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("Cannot set a null TableModel");
  removeEditor();
  model_->removeTableModelListener(watcher_);
  model_ = std::move(model);
  model_->addTableModelListener(watcher_);
  clearSelection();
  if (autoCreateColumns_) createDefaultColumnsFromModel();
  repaint();
}

void Table::setColumnModel(plat::lang::Ref<TableColumnModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("Cannot set a null ColumnModel");
  columnModel_ = std::move(model);
  repaint();
}

void Table::setSelectionModel(plat::lang::Ref<ListSelectionModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("Cannot set a null SelectionModel");
  selectionModel_ = std::move(model);
  repaint();
}

void Table::setAutoCreateColumnsFromModel(bool on) {
  const bool was = autoCreateColumns_;
  autoCreateColumns_ = on;
  if (on && !was) createDefaultColumnsFromModel();
}

void Table::createDefaultColumnsFromModel() {
  for (const auto& column : columnModel_->getColumns()) columnModel_->removeColumn(column);
  for (int c = 0; c < model_->getColumnCount(); ++c) {
    auto column = plat::lang::makeRef<TableColumn>(c);
    column->setHeaderValue(plat::lang::Value(model_->getColumnName(c)));
    columnModel_->addColumn(column);
  }
}

void Table::setCellSelectionEnabled(bool enabled) {
  rowSelectionAllowed_ = enabled;
  setColumnSelectionAllowed(enabled);
}

int Table::convertColumnIndexToModel(int viewColumn) const {
  if (viewColumn < 0 || viewColumn >= getColumnCount()) return viewColumn;
  return columnModel_->getColumn(viewColumn)->getModelIndex();
}

int Table::convertColumnIndexToView(int modelColumn) const {
  if (modelColumn < 0) return modelColumn;
  for (int c = 0; c < getColumnCount(); ++c) {
    if (columnModel_->getColumn(c)->getModelIndex() == modelColumn) return c;
  }
  return -1;
}

plat::lang::Value Table::getValueAt(int row, int column) const {
  return model_->getValueAt(row, convertColumnIndexToModel(column));
}

void Table::setValueAt(const plat::lang::Value& value, int row, int column) {
  model_->setValueAt(value, row, convertColumnIndexToModel(column));
}

bool Table::isCellEditable(int row, int column) const {
  return model_->isCellEditable(row, convertColumnIndexToModel(column));
}

std::vector<int> Table::getSelectedRows() const {
  std::vector<int> rows;
  const int last = selectionModel_->getMaxSelectionIndex();
  for (int r = selectionModel_->getMinSelectionIndex(); r >= 0 && r <= last; ++r) {
    if (selectionModel_->isSelectedIndex(r)) rows.push_back(r);
  }
  return rows;
}

void Table::clearSelection() {
  selectionModel_->clearSelection();
  columnModel_->getSelectionModel()->clearSelection();
}

void Table::changeSelection(int row, int column, bool toggle, bool extend) {
  const auto apply = [&](ListSelectionModel& model, int index, bool allowed) {
    if (!allowed) return;
    const int anchor = model.getAnchorSelectionIndex();
    if (extend && anchor >= 0) {
      model.setSelectionInterval(anchor, index);
    } else if (toggle) {
      if (model.isSelectedIndex(index)) {
        model.removeSelectionInterval(index, index);
      } else {
        model.addSelectionInterval(index, index);
      }
    } else {
      model.setSelectionInterval(index, index);
    }
  };
  apply(*selectionModel_, row, true);
  apply(*columnModel_->getSelectionModel(), column, true);
}

int Table::rowAtPoint(Point point) const {
  const int row = point.y / kRowHeight;
  return point.y < 0 || row >= getRowCount() ? -1 : row;
}

Point Table::pointOfCell(int row, int column) const {
  int x = 0;
  for (int c = 0; c < column; ++c) x += columnModel_->getColumn(c)->getWidth();
  return Point{x + columnModel_->getColumn(column)->getWidth() / 2, row * kRowHeight + kRowHeight / 2};
}

plat::lang::Ref<TableCellRenderer> Table::getCellRenderer(int, int column) const {
  if (column >= 0 && column < getColumnCount()) {
    if (auto own = columnModel_->getColumn(column)->getCellRenderer()) return own;
  }
  return defaultRenderer_;
}

Component& Table::prepareRenderer(TableCellRenderer& renderer, int row, int column) {
  const bool selected = isRowSelected(row);
  const bool focused = hasFocus() && selectionModel_->getLeadSelectionIndex() == row &&
                       columnModel_->getSelectionModel()->getLeadSelectionIndex() == column;
  return renderer.getTableCellRendererComponent(*this, getValueAt(row, column), selected, focused, row, column);
}

plat::lang::Ref<TableCellEditor> Table::getCellEditor(int, int column) const {
  if (column >= 0 && column < getColumnCount()) {
    if (auto own = columnModel_->getColumn(column)->getCellEditor()) return own;
  }
  return defaultEditor_;
}

bool Table::editCellAt(int row, int column, const EventObject* event) {
  if (cellEditor_ && !cellEditor_->stopCellEditing()) return false;
  if (row < 0 || row >= getRowCount() || column < 0 || column >= getColumnCount()) return false;
  if (!isCellEditable(row, column)) return false;
  auto editor = getCellEditor(row, column);
  if (!editor || !editor->isCellEditable(event)) return false;
  editorComponent_ =
      &editor->getTableCellEditorComponent(*this, getValueAt(row, column), isRowSelected(row), row, column);
  cellEditor_ = std::move(editor);
  editingRow_ = row;
  editingColumn_ = column;
  cellEditor_->addCellEditorListener(watcher_);
  return true;
}

void Table::removeEditor() {
  if (!cellEditor_) return;
  cellEditor_->removeCellEditorListener(watcher_);
  cellEditor_.reset();
  editorComponent_ = nullptr;
  editingRow_ = -1;
  editingColumn_ = -1;
  repaint();
}

void Table::clickCell(int row, int column, int clickCount, int modifiers) {
  click(pointOfCell(row, column), clickCount, modifiers);
}

void Table::processMouse(const MouseEvent& event) {
  if (event.getID() != MouseEvent::MOUSE_PRESSED) return;
  const int row = rowAtPoint(event.getPoint());
  const int column = columnAtPoint(event.getPoint());
  if (row < 0 || column < 0) return;
  if (cellEditor_ && !cellEditor_->stopCellEditing()) return;
  changeSelection(row, column, (event.getModifiers() & InputEvent::CTRL_MASK) != 0, event.isShiftDown());
  editCellAt(row, column, &event);
}

}  // namespace plat::gui
