#include "platform/gui/TableHeader.h"

#include "platform/gui/DefaultTableCellRenderer.h"
#include "platform/gui/Table.h"
#include "platform/text/Utf16.h"

namespace plat::gui {

TableHeader::TableHeader(Table* table)
    : table_(table), defaultRenderer_(plat::lang::makeRef<DefaultTableCellRenderer>()) {
  setFocusable(false);
}

int TableHeader::columnAtPoint(Point point) const {
  return table_->getColumnModel()->getColumnIndexAtX(point.x);
}

Point TableHeader::pointOfColumn(int column) const {
  const auto& columns = table_->getColumnModel();
  int x = 0;
  for (int c = 0; c < column; ++c) x += columns->getColumn(c)->getWidth();
  return Point{x + columns->getColumn(column)->getWidth() / 2, kHeight / 2};
}

int TableHeader::textWidth(std::string_view text) {
  return plat::text::utf16::length(text) * kCharWidth + kTextPadding;
}

}  // namespace plat::gui
