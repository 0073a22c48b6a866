// The cell renderers that column attributes build for masked, currency and check-box columns. A null cell, and
// any cell at design time, draws empty. GUI thread only; make them with makeRef.
#pragma once

#include <optional>
#include <string>

#include "platform/gui/CheckBox.h"
#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"

namespace quenlora::zafoli::db::beans::javax::swing {

// Draws the cell as the masked text of a hidden masked field.
class ColumnAttributes::MaskedRenderer : public plat::gui::DefaultTableCellRenderer {
 public:
  void setMask(const std::string& mask) { field_.setMask(mask); }
  std::string getClassName() const override;

 protected:
  void setValue(const plat::lang::Value& value) override;

 private:
  plat::gui::JMaskedTextField field_;
};

// Draws the cell as the formatted text of a hidden currency field.
class ColumnAttributes::CurrencyRenderer : public plat::gui::DefaultTableCellRenderer {
 public:
  void setATMmode(bool on) { field_.setATMmode(on); }
  void setCurrencySymbol(const std::string& symbol) { field_.setCurrencySymbol(symbol); }
  void setDigitsAfterDecimal(int digits) { field_.setDigitsAfterDecimal(digits); }
  void setDecimalPoint(char32_t c) { field_.setDecimalPoint(c); }
  void setSeparator(char32_t c) { field_.setSeparator(c); }
  void setCurrencyLeading(bool leading) { field_.setCurrencyLeading(leading); }
  void setSeparatorEnabled(bool enabled) { field_.setSeparatorEnabled(enabled); }
  std::string getClassName() const override;

 protected:
  void setValue(const plat::lang::Value& value) override;

 private:
  plat::gui::JCurrencyTextField field_;
};

// Draws the cell as a check box, ticked when the cell's text is the true text, with the caption beside it
// (centred when there is none).
class ColumnAttributes::CheckBoxRenderer : public plat::gui::CheckBox, public plat::gui::TableCellRenderer {
 public:
  CheckBoxRenderer();
  void setTrueValue(const std::string& text) { trueValue_ = text; }
  void setFalseValue(const std::string& text) { falseValue_ = text; }
  void setCaption(const std::string& caption);
  // The colours of an unselected cell; the table's until set.
  void setCellColors(plat::gui::Color background, plat::gui::Color foreground);
  plat::gui::Component& getTableCellRendererComponent(plat::gui::Table& table, const plat::lang::Value& value,
                                                      bool isSelected, bool hasFocus, int row, int column) override;
  std::string getClassName() const override;

 private:
  std::string trueValue_ = "True";
  std::string falseValue_ = "False";
  std::optional<plat::gui::Color> background_;
  std::optional<plat::gui::Color> foreground_;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
