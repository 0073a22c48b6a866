#include "quenlora/zafoli/db/beans/javax/swing/ColumnCellRenderers.h"

#include "platform/beans/Beans.h"
#include "platform/gui/Table.h"
#include "platform/gui/UIManager.h"

namespace quenlora::zafoli::db::beans::javax::swing {

namespace {

std::string shownText(const plat::lang::Value& value) {
  if (value.isNull() || plat::beans::Beans::isDesignTime()) return {};
  return value.toString();
}

const std::string kPrefix = "quenlora.zafoli.db.beans.javax.swing.ColumnAttributes$";

}  // namespace

void ColumnAttributes::MaskedRenderer::setValue(const plat::lang::Value& value) {
  field_.setMaskedText(shownText(value));
  setText(field_.getText());
}

std::string ColumnAttributes::MaskedRenderer::getClassName() const {
  return kPrefix + "MaskedRenderer";
}

void ColumnAttributes::CurrencyRenderer::setValue(const plat::lang::Value& value) {
  field_.setFormattedText(shownText(value));
  setText(field_.getText());
}

std::string ColumnAttributes::CurrencyRenderer::getClassName() const {
  return kPrefix + "CurrencyRenderer";
}

ColumnAttributes::CheckBoxRenderer::CheckBoxRenderer() {
  setCaption("True");
}

void ColumnAttributes::CheckBoxRenderer::setCaption(const std::string& caption) {
  setText(caption);
  setHorizontalAlignment(caption.empty() ? CENTER : LEADING);
}

void ColumnAttributes::CheckBoxRenderer::setCellColors(plat::gui::Color background, plat::gui::Color foreground) {
  background_ = background;
  foreground_ = foreground;
  setBackground(background);
  setForeground(foreground);
}

plat::gui::Component& ColumnAttributes::CheckBoxRenderer::getTableCellRendererComponent(plat::gui::Table& table,
                                                                                        const plat::lang::Value& value,
                                                                                        bool isSelected, bool hasFocus,
                                                                                        int row, int column) {
  if (isSelected) {
    setForeground(table.getSelectionForeground());
    setBackground(table.getSelectionBackground());
  } else {
    setForeground(foreground_.value_or(table.getForeground()));
    setBackground(background_.value_or(table.getBackground()));
  }
  setSelected(!value.isNull() && !plat::beans::Beans::isDesignTime() && value.toString() == trueValue_);
  if (hasFocus) {
    setBorder(plat::gui::UIManager::getBorder("Table.focusCellHighlightBorder"));
    if (table.isCellEditable(row, column)) {
      setForeground(plat::gui::UIManager::getColor("Table.focusCellForeground").value_or(getForeground()));
      setBackground(plat::gui::UIManager::getColor("Table.focusCellBackground").value_or(getBackground()));
    }
  } else {
    setBorder(plat::lang::makeRef<plat::gui::EmptyBorder>(1, 2, 1, 2));
  }
  return *this;
}

std::string ColumnAttributes::CheckBoxRenderer::getClassName() const {
  return kPrefix + "CheckBoxRenderer";
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
