// The header row of a table: one cell per column of the table's column model, drawn by the column's header
// renderer or the header's default one. Text is measured in fixed metrics (7 pixels per 16-bit unit plus 10 of
// padding), so widths fitted to headers are the same everywhere. The user clicks (or Shift-clicks) a header
// through Component::click. GUI thread only.
#pragma once

#include <string_view>

#include "platform/gui/Component.h"
#include "platform/gui/TableCellRenderer.h"

namespace plat::gui {

class Table;

class TableHeader : public Component {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kTextPadding = 10;
  static constexpr int kHeight = 18;

  explicit TableHeader(Table* table);

  Table* getTable() const { return table_; }
  // The view column under point; -1 when none is.
  int columnAtPoint(Point point) const;
  // The point at the middle of view column; the user clicks it.
  Point pointOfColumn(int column) const;
  const plat::lang::Ref<TableCellRenderer>& getDefaultRenderer() const { return defaultRenderer_; }
  void setDefaultRenderer(plat::lang::Ref<TableCellRenderer> renderer) { defaultRenderer_ = std::move(renderer); }
  bool getReorderingAllowed() const { return reorderingAllowed_; }
  void setReorderingAllowed(bool allowed) { reorderingAllowed_ = allowed; }
  bool getResizingAllowed() const { return resizingAllowed_; }
  void setResizingAllowed(bool allowed) { resizingAllowed_ = allowed; }

  static int textWidth(std::string_view text);

  std::string getClassName() const override { return "javax.swing.table.JTableHeader"; }

 private:
  Table* table_;  // back reference to the table that owns this header
  plat::lang::Ref<TableCellRenderer> defaultRenderer_;
  bool reorderingAllowed_ = true;
  bool resizingAllowed_ = true;
};

}  // namespace plat::gui
