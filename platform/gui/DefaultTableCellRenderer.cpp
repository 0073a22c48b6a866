#include "platform/gui/DefaultTableCellRenderer.h"

#include "platform/gui/Table.h"
#include "platform/gui/UIManager.h"

namespace plat::gui {

DefaultTableCellRenderer::DefaultTableCellRenderer() {
  setOpaque(true);
  setBorder(plat::lang::makeRef<EmptyBorder>(1, 1, 1, 1));
}

void DefaultTableCellRenderer::setBackground(Color color) {
  Label::setBackground(color);
  unselectedBackground_ = color;
}

void DefaultTableCellRenderer::setForeground(Color color) {
  Label::setForeground(color);
  unselectedForeground_ = color;
}

Component& DefaultTableCellRenderer::getTableCellRendererComponent(Table& table, const plat::lang::Value& value,
                                                                   bool isSelected, bool hasFocus, int row,
                                                                   int column) {
  Color background = unselectedBackground_.value_or(table.getBackground());
  Color foreground = unselectedForeground_.value_or(table.getForeground());
  if (isSelected) {
    background = table.getSelectionBackground();
    foreground = table.getSelectionForeground();
  }
  if (hasFocus) {
    setBorder(UIManager::getBorder("Table.focusCellHighlightBorder"));
    if (!isSelected && table.isCellEditable(row, column)) {
      foreground = UIManager::getColor("Table.focusCellForeground").value_or(foreground);
      background = UIManager::getColor("Table.focusCellBackground").value_or(background);
    }
  } else {
    setBorder(plat::lang::makeRef<EmptyBorder>(1, 1, 1, 1));
  }
  Label::setBackground(background);
  Label::setForeground(foreground);
  setValue(value);
  return *this;
}

void DefaultTableCellRenderer::setValue(const plat::lang::Value& value) {
  setText(value.isNull() ? std::string() : value.toString());
}

}  // namespace plat::gui
