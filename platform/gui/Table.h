// A table over a table model: columns in a column model (made from the model's columns while automatic creation is
// on), rows selected through a list selection model that follows inserted and deleted rows and is cleared when the
// structure or every row changes, cells drawn by renderers and edited by cell editors. The user clicks cells
// (Shift extends, Ctrl toggles); enough clicks for the cell's editor start editing, and the editor's stop writes
// its value into the model. Rows are 16 pixels high. GUI thread only; make it with makeRef.
#pragma once

#include <vector>

#include "platform/gui/Component.h"
#include "platform/gui/ListSelectionModel.h"
#include "platform/gui/TableCellEditor.h"
#include "platform/gui/TableCellRenderer.h"
#include "platform/gui/TableColumnModel.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TableModel.h"

namespace plat::gui {

class Table : public Component {
 public:
  static constexpr int kRowHeight = 16;

  Table();
  explicit Table(plat::lang::Ref<TableModel> model);
  ~Table() override;

  const plat::lang::Ref<TableModel>& getModel() const { return model_; }
  // Null is an IllegalArgumentException.
  void setModel(plat::lang::Ref<TableModel> model);
  const plat::lang::Ref<TableColumnModel>& getColumnModel() const { return columnModel_; }
  void setColumnModel(plat::lang::Ref<TableColumnModel> model);
  const plat::lang::Ref<ListSelectionModel>& getSelectionModel() const { return selectionModel_; }
  void setSelectionModel(plat::lang::Ref<ListSelectionModel> model);
  const plat::lang::Ref<TableHeader>& getTableHeader() const { return header_; }
  bool getAutoCreateColumnsFromModel() const { return autoCreateColumns_; }
  // Switching it on makes the columns from the model again.
  void setAutoCreateColumnsFromModel(bool on);
  void createDefaultColumnsFromModel();

  bool getRowSelectionAllowed() const { return rowSelectionAllowed_; }
  void setRowSelectionAllowed(bool allowed) { rowSelectionAllowed_ = allowed; }
  bool getColumnSelectionAllowed() const { return columnModel_->getColumnSelectionAllowed(); }
  void setColumnSelectionAllowed(bool allowed) { columnModel_->setColumnSelectionAllowed(allowed); }
  bool getCellSelectionEnabled() const { return rowSelectionAllowed_ && getColumnSelectionAllowed(); }
  void setCellSelectionEnabled(bool enabled);
  Color getSelectionBackground() const { return selectionBackground_; }
  void setSelectionBackground(Color color) { selectionBackground_ = color; }
  Color getSelectionForeground() const { return selectionForeground_; }
  void setSelectionForeground(Color color) { selectionForeground_ = color; }

  int getRowCount() const { return model_->getRowCount(); }
  int getColumnCount() const { return columnModel_->getColumnCount(); }
  std::string getColumnName(int column) const { return model_->getColumnName(convertColumnIndexToModel(column)); }
  int convertColumnIndexToModel(int viewColumn) const;
  int convertColumnIndexToView(int modelColumn) const;
  plat::lang::Value getValueAt(int row, int column) const;
  void setValueAt(const plat::lang::Value& value, int row, int column);
  bool isCellEditable(int row, int column) const;

  int getSelectedRow() const { return selectionModel_->getMinSelectionIndex(); }
  std::vector<int> getSelectedRows() const;
  int getSelectedColumn() const { return columnModel_->getSelectionModel()->getMinSelectionIndex(); }
  bool isRowSelected(int row) const { return selectionModel_->isSelectedIndex(row); }
  void setRowSelectionInterval(int index0, int index1) { selectionModel_->setSelectionInterval(index0, index1); }
  void clearSelection();
  // What a click on the cell does to the selections: select it, toggle it (Ctrl) or extend to it (Shift).
  void changeSelection(int row, int column, bool toggle, bool extend);

  int rowAtPoint(Point point) const;
  int columnAtPoint(Point point) const { return columnModel_->getColumnIndexAtX(point.x); }
  Point pointOfCell(int row, int column) const;

  plat::lang::Ref<TableCellRenderer> getCellRenderer(int row, int column) const;
  const plat::lang::Ref<TableCellRenderer>& getDefaultRenderer() const { return defaultRenderer_; }
  void setDefaultRenderer(plat::lang::Ref<TableCellRenderer> renderer) { defaultRenderer_ = std::move(renderer); }
  // The renderer's component set up for the cell as it is drawn now.
  Component& prepareRenderer(TableCellRenderer& renderer, int row, int column);

  plat::lang::Ref<TableCellEditor> getCellEditor(int row, int column) const;
  const plat::lang::Ref<TableCellEditor>& getDefaultEditor() const { return defaultEditor_; }
  void setDefaultEditor(plat::lang::Ref<TableCellEditor> editor) { defaultEditor_ = std::move(editor); }
  // Starts editing the cell when the model allows it and the editor accepts event (null: the program asks);
  // an edit in progress is stopped first.
  bool editCellAt(int row, int column, const EventObject* event = nullptr);
  bool isEditing() const { return static_cast<bool>(cellEditor_); }
  int getEditingRow() const { return editingRow_; }
  int getEditingColumn() const { return editingColumn_; }
  const plat::lang::Ref<TableCellEditor>& getCellEditor() const { return cellEditor_; }
  Component* getEditorComponent() const { return editorComponent_; }
  void removeEditor();

  // The user clicks the cell.
  void clickCell(int row, int column, int clickCount = 1, int modifiers = 0);

  std::string getClassName() const override { return "javax.swing.JTable"; }

 protected:
  void processMouse(const MouseEvent& event) override;

 private:
  class Watcher;

  plat::lang::Ref<TableModel> model_;
  plat::lang::Ref<TableColumnModel> columnModel_;
  plat::lang::Ref<ListSelectionModel> selectionModel_;
  plat::lang::Ref<TableHeader> header_;
  plat::lang::Ref<Watcher> watcher_;  // on model_ and on the cell editor; refers back to this table
  plat::lang::Ref<TableCellRenderer> defaultRenderer_;
  plat::lang::Ref<TableCellEditor> defaultEditor_;
  plat::lang::Ref<TableCellEditor> cellEditor_;  // the editor in use; null when not editing
  Component* editorComponent_ = nullptr;         // owned by cellEditor_
  int editingRow_ = -1;
  int editingColumn_ = -1;
  bool autoCreateColumns_ = true;
  bool rowSelectionAllowed_ = true;
  Color selectionBackground_;
  Color selectionForeground_;
};

}  // namespace plat::gui
