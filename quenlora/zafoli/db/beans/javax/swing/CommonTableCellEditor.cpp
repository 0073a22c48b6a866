#include "quenlora/zafoli/db/beans/javax/swing/CommonTableCellEditor.h"

#include "platform/gui/Table.h"
#include "quenlora/zafoli/db/beans/javax/swing/DBComboBoxModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using plat::lang::Ref;

class CommonTableCellEditor::FocusStopper : public plat::gui::FocusListener {
 public:
  explicit FocusStopper(CommonTableCellEditor* editor) : editor_(editor) {}
  void focusGained(const plat::gui::FocusEvent&) override {}
  void focusLost(const plat::gui::FocusEvent&) override {
    if (editor_ != nullptr) editor_->stopCellEditing();
  }
  CommonTableCellEditor* editor_;  // back reference, cleared by the editor's destructor
};

CommonTableCellEditor::CommonTableCellEditor(Ref<plat::gui::CheckBox> checkBox)
    : DefaultCellEditor(std::move(checkBox)) {}

CommonTableCellEditor::CommonTableCellEditor(Ref<plat::gui::ComboBox> comboBox)
    : DefaultCellEditor(std::move(comboBox)) {
  listenToFocus();
}

CommonTableCellEditor::CommonTableCellEditor(Ref<plat::gui::TextField> textField)
    : DefaultCellEditor(std::move(textField)) {
  listenToFocus();
}

void CommonTableCellEditor::listenToFocus() {
  focus_ = std::make_shared<FocusStopper>(this);
  if (getComponent()) getComponent()->addFocusListener(focus_);
}

CommonTableCellEditor::~CommonTableCellEditor() {
  if (!focus_) return;
  focus_->editor_ = nullptr;
  if (getComponent()) getComponent()->removeFocusListener(focus_);
}

namespace {

DBComboBoxModel* lookupModelOf(const plat::gui::Component* component) {
  const auto* box = dynamic_cast<const plat::gui::ComboBox*>(component);
  return box == nullptr ? nullptr : dynamic_cast<DBComboBoxModel*>(box->getModel().get());
}

}  // namespace

plat::lang::Value CommonTableCellEditor::getCellEditorValue() const {
  if (auto* model = lookupModelOf(getComponent().get())) return model->getSelectedValue();
  return DefaultCellEditor::getCellEditorValue();
}

void CommonTableCellEditor::setValue(const plat::lang::Value& value) {
  auto* model = lookupModelOf(getComponent().get());
  if (model == nullptr || !model->selectStoredValue(value)) DefaultCellEditor::setValue(value);
}

plat::gui::Component& CommonTableCellEditor::getTableCellEditorComponent(plat::gui::Table& table,
                                                                         const plat::lang::Value& value,
                                                                         bool isSelected, int row, int column) {
  // The edited row becomes the selected one, so that a bound table moves its record to the row being edited.
  table.setRowSelectionInterval(row, row);
  return DefaultCellEditor::getTableCellEditorComponent(table, value, isSelected, row, column);
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
