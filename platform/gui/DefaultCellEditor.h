// The plain cell editor on a text field (starts on two clicks), a check box or a combo box (one click). The
// component's action (Enter, a click, a chosen entry) stops editing; the edited value is the field's text, the
// box's Boolean or the combo box's selected item. GUI thread only; make it with makeRef.
#pragma once

#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/ListenerList.h"
#include "platform/gui/TableCellEditor.h"
#include "platform/gui/TextField.h"

namespace plat::gui {

class DefaultCellEditor : public plat::lang::Object, public TableCellEditor {
 public:
  explicit DefaultCellEditor(plat::lang::Ref<TextField> textField);
  explicit DefaultCellEditor(plat::lang::Ref<CheckBox> checkBox);
  explicit DefaultCellEditor(plat::lang::Ref<ComboBox> comboBox);
  ~DefaultCellEditor() override;
  DefaultCellEditor(const DefaultCellEditor&) = delete;
  DefaultCellEditor& operator=(const DefaultCellEditor&) = delete;

  const plat::lang::Ref<Component>& getComponent() const { return component_; }
  int getClickCountToStart() const { return clickCountToStart_; }
  void setClickCountToStart(int count) { clickCountToStart_ = count; }

  plat::lang::Value getCellEditorValue() const override;
  // A mouse event starts editing with at least getClickCountToStart() clicks; any other event (or none) does.
  bool isCellEditable(const EventObject* event) const override;
  bool shouldSelectCell(const EventObject*) const override { return true; }
  bool stopCellEditing() override;
  void cancelCellEditing() override;
  void addCellEditorListener(const plat::lang::Ref<CellEditorListener>& l) override { listeners_.add(l); }
  void removeCellEditorListener(const plat::lang::Ref<CellEditorListener>& l) override { listeners_.remove(l); }
  Component& getTableCellEditorComponent(Table& table, const plat::lang::Value& value, bool isSelected, int row,
                                         int column) override;
  // Shows value in the component.
  virtual void setValue(const plat::lang::Value& value);

  std::string getClassName() const override { return "javax.swing.DefaultCellEditor"; }

 protected:
  void fireEditingStopped();
  void fireEditingCanceled();

 private:
  class Stopper;

  plat::lang::Ref<Component> component_;
  plat::lang::Ref<Stopper> stopper_;  // action listener on the component; refers back to this editor
  int clickCountToStart_;
  ListenerList<CellEditorListener> listeners_;
};

}  // namespace plat::gui
