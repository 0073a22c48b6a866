#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellEditors.h"

#include "platform/beans/Beans.h"

namespace quenlora::zafoli::db::beans::javax::swing {

namespace {

// What an editor shows for a cell: nothing for null or at design time, else the value's text.
std::string shownText(const plat::lang::Value& value) {
  if (value.isNull() || plat::beans::Beans::isDesignTime()) return {};
  return value.toString();
}

const std::string kPrefix = "quenlora.zafoli.db.beans.javax.swing.ColumnAttributes$";

}  // namespace

ColumnAttributes::MaskedEditor::MaskedEditor(Ref<plat::gui::JMaskedTextField> field)
    : CommonTableCellEditor(Ref<plat::gui::TextField>(field)), field_(std::move(field)) {}

plat::lang::Value ColumnAttributes::MaskedEditor::getCellEditorValue() const {
  return plat::lang::Value(field_->getUnmaskedText());
}

void ColumnAttributes::MaskedEditor::setValue(const plat::lang::Value& value) {
  field_->setMaskedText(shownText(value));
}

std::string ColumnAttributes::MaskedEditor::getClassName() const {
  return kPrefix + "MaskedEditor";
}

ColumnAttributes::CurrencyEditor::CurrencyEditor(Ref<plat::gui::JCurrencyTextField> field)
    : CommonTableCellEditor(Ref<plat::gui::TextField>(field)), field_(std::move(field)) {
  // The editor stops the edit when focus leaves; the field must not format on its own in between.
  field_->setListeningToFocus(false);
}

plat::lang::Value ColumnAttributes::CurrencyEditor::getCellEditorValue() const {
  // The amount itself: its machine text would be read again in the locale's number format on the way to the row.
  const std::string amount = field_->getValue();
  return amount.empty() ? plat::lang::Value() : plat::lang::Value(plat::math::Decimal(amount));
}

void ColumnAttributes::CurrencyEditor::setValue(const plat::lang::Value& value) {
  // An edit starts here: the field shows the number to edit (in ATM mode it stays formatted), and what the user
  // then types is read back when the edit stops.
  if (field_->isEditing()) field_->editingStopped();
  field_->setFormattedText(shownText(value));
  field_->editingStarted();
}

void ColumnAttributes::CurrencyEditor::cancelCellEditing() {
  if (field_->isEditing()) field_->editingStopped();
  CommonTableCellEditor::cancelCellEditing();
}

bool ColumnAttributes::CurrencyEditor::stopCellEditing() {
  field_->editingStopped();
  return CommonTableCellEditor::stopCellEditing();
}

std::string ColumnAttributes::CurrencyEditor::getClassName() const {
  return kPrefix + "CurrencyEditor";
}

ColumnAttributes::CheckBoxEditor::CheckBoxEditor(Ref<plat::gui::CheckBox> box)
    : CommonTableCellEditor(Ref<plat::gui::CheckBox>(box)), box_(std::move(box)) {
  setClickCountToStart(1);
}

plat::lang::Value ColumnAttributes::CheckBoxEditor::getCellEditorValue() const {
  return plat::lang::Value(box_->isSelected() ? trueValue_ : falseValue_);
}

void ColumnAttributes::CheckBoxEditor::setValue(const plat::lang::Value& value) {
  box_->setSelected(!value.isNull() && value.toString() == trueValue_);
}

std::string ColumnAttributes::CheckBoxEditor::getClassName() const {
  return kPrefix + "CheckBoxEditor";
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
