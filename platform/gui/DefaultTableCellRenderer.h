// The plain cell renderer: a label showing the value's text (empty for null), in the table's selection colours when
// selected, else in its own colours when set or the table's, with the look's focus border and focus colours on the
// focused cell of an editable column and an empty one-pixel border otherwise. GUI thread only.
#pragma once

#include <optional>

#include "platform/gui/Label.h"
#include "platform/gui/TableCellRenderer.h"

namespace plat::gui {

class DefaultTableCellRenderer : public Label, public TableCellRenderer {
 public:
  DefaultTableCellRenderer();

  // Colours set here are the unselected colours of the cells drawn.
  void setBackground(Color color) override;
  void setForeground(Color color) override;

  Component& getTableCellRendererComponent(Table& table, const plat::lang::Value& value, bool isSelected, bool hasFocus,
                                           int row, int column) override;

  std::string getClassName() const override { return "javax.swing.table.DefaultTableCellRenderer"; }

 protected:
  virtual void setValue(const plat::lang::Value& value);

 private:
  std::optional<Color> unselectedBackground_;
  std::optional<Color> unselectedForeground_;
};

}  // namespace plat::gui
