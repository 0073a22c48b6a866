// The shared cell editor of data-bound table columns: the toolkit's plain editor on a check box, combo box or text
// field, which also stops editing, keeping the edited value, when its combo box or text field loses the focus,
// and selects the edited row before it hands out its component. A combo over codes and names edits the code. GUI thread
// only; make it with makeRef.
#pragma once

#include "platform/gui/DefaultCellEditor.h"
#include "platform/gui/FocusListener.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class CommonTableCellEditor : public plat::gui::DefaultCellEditor {
 public:
  explicit CommonTableCellEditor(plat::lang::Ref<plat::gui::CheckBox> checkBox);
  explicit CommonTableCellEditor(plat::lang::Ref<plat::gui::ComboBox> comboBox);
  explicit CommonTableCellEditor(plat::lang::Ref<plat::gui::TextField> textField);
  ~CommonTableCellEditor() override;

  // A combo box over a two-column lookup edits the code: the cell's code shows as its name, and the value is the
  // code of the name chosen.
  plat::lang::Value getCellEditorValue() const override;
  void setValue(const plat::lang::Value& value) override;
  plat::gui::Component& getTableCellEditorComponent(plat::gui::Table& table, const plat::lang::Value& value,
                                                    bool isSelected, int row, int column) override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.javax.swing.CommonTableCellEditor"; }

 private:
  class FocusStopper;
  void listenToFocus();

  plat::lang::Ref<FocusStopper> focus_;  // on the component while this lives; refers back to this editor
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
