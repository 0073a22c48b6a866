// The cell editors that column attributes build for masked, currency and check-box columns. A null cell, and any
// cell at design time, is edited from an empty field. GUI thread only; make them with makeRef.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"
#include "quenlora/zafoli/db/beans/javax/swing/CommonTableCellEditor.h"

namespace quenlora::zafoli::db::beans::javax::swing {

// Edits the cell's text through the field's mask; the value is the unmasked text.
class ColumnAttributes::MaskedEditor : public CommonTableCellEditor {
 public:
  explicit MaskedEditor(Ref<plat::gui::JMaskedTextField> field);
  void setMask(const std::string& mask) { field_->setMask(mask); }
  plat::lang::Value getCellEditorValue() const override;
  void setValue(const plat::lang::Value& value) override;
  std::string getClassName() const override;

 private:
  Ref<plat::gui::JMaskedTextField> field_;
};

// Edits a currency amount; the field leaves its focus to the table, starts editing with the cell, and stopping
// the edit tells the field first. The value is the amount as a Decimal (null for none).
class ColumnAttributes::CurrencyEditor : public CommonTableCellEditor {
 public:
  explicit CurrencyEditor(Ref<plat::gui::JCurrencyTextField> field);
  void setATMmode(bool on) { field_->setATMmode(on); }
  void setCurrencySymbol(const std::string& symbol) { field_->setCurrencySymbol(symbol); }
  void setDigitsAfterDecimal(int digits) { field_->setDigitsAfterDecimal(digits); }
  void setDecimalPoint(char32_t c) { field_->setDecimalPoint(c); }
  void setSeparator(char32_t c) { field_->setSeparator(c); }
  void setCurrencyLeading(bool leading) { field_->setCurrencyLeading(leading); }
  void setSeparatorEnabled(bool enabled) { field_->setSeparatorEnabled(enabled); }
  plat::lang::Value getCellEditorValue() const override;
  void setValue(const plat::lang::Value& value) override;
  bool stopCellEditing() override;
  void cancelCellEditing() override;
  std::string getClassName() const override;

 private:
  Ref<plat::gui::JCurrencyTextField> field_;
};

// Ticks the box when the cell's text is the true text; the value is the true or the false text. Starts on one
// click.
class ColumnAttributes::CheckBoxEditor : public CommonTableCellEditor {
 public:
  explicit CheckBoxEditor(Ref<plat::gui::CheckBox> box);
  void setTrueValue(const std::string& text) { trueValue_ = text; }
  void setFalseValue(const std::string& text) { falseValue_ = text; }
  plat::lang::Value getCellEditorValue() const override;
  void setValue(const plat::lang::Value& value) override;
  std::string getClassName() const override;

 private:
  Ref<plat::gui::CheckBox> box_;
  std::string trueValue_ = "True";
  std::string falseValue_ = "False";
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
