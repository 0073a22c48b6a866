// One column of a table view: which model column it shows, its identifier and header value, its widths (the width
// always within minimum and maximum), and its own renderer, editor and header renderer (null: the table's default).
// GUI thread only.
#pragma once

#include <limits>

#include "platform/gui/TableCellEditor.h"
#include "platform/gui/TableCellRenderer.h"
#include "platform/lang/Value.h"

namespace plat::gui {

class TableColumn : public plat::lang::Object {
 public:
  static constexpr int kDefaultWidth = 75;

  explicit TableColumn(int modelIndex = 0, int width = kDefaultWidth);

  int getModelIndex() const { return modelIndex_; }
  void setModelIndex(int index) { modelIndex_ = index; }
  // The header value when no identifier was set.
  plat::lang::Value getIdentifier() const { return identifier_.isNull() ? headerValue_ : identifier_; }
  void setIdentifier(const plat::lang::Value& identifier) { identifier_ = identifier; }
  const plat::lang::Value& getHeaderValue() const { return headerValue_; }
  void setHeaderValue(const plat::lang::Value& value) { headerValue_ = value; }
  int getWidth() const { return width_; }
  void setWidth(int width);
  int getPreferredWidth() const { return preferredWidth_; }
  void setPreferredWidth(int width);
  int getMinWidth() const { return minWidth_; }
  // Also raises width and preferred width to at least the new minimum.
  void setMinWidth(int width);
  int getMaxWidth() const { return maxWidth_; }
  // Also lowers width and preferred width to at most the new maximum.
  void setMaxWidth(int width);
  bool getResizable() const { return resizable_; }
  void setResizable(bool resizable) { resizable_ = resizable; }
  // Width and preferred width become the header text's width in the header's fixed text metrics.
  void sizeWidthToFit();

  const plat::lang::Ref<TableCellRenderer>& getCellRenderer() const { return cellRenderer_; }
  void setCellRenderer(plat::lang::Ref<TableCellRenderer> renderer) { cellRenderer_ = std::move(renderer); }
  const plat::lang::Ref<TableCellEditor>& getCellEditor() const { return cellEditor_; }
  void setCellEditor(plat::lang::Ref<TableCellEditor> editor) { cellEditor_ = std::move(editor); }
  const plat::lang::Ref<TableCellRenderer>& getHeaderRenderer() const { return headerRenderer_; }
  void setHeaderRenderer(plat::lang::Ref<TableCellRenderer> renderer) { headerRenderer_ = std::move(renderer); }

  std::string getClassName() const override { return "javax.swing.table.TableColumn"; }

 private:
  int modelIndex_;
  plat::lang::Value identifier_;
  plat::lang::Value headerValue_;
  int width_;
  int preferredWidth_;
  int minWidth_ = 15;
  int maxWidth_ = std::numeric_limits<int>::max();
  bool resizable_ = true;
  plat::lang::Ref<TableCellRenderer> cellRenderer_;
  plat::lang::Ref<TableCellEditor> cellEditor_;
  plat::lang::Ref<TableCellRenderer> headerRenderer_;
};

}  // namespace plat::gui
