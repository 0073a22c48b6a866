#include "platform/gui/TableColumn.h"

#include <algorithm>

#include "platform/gui/TableHeader.h"

namespace plat::gui {

TableColumn::TableColumn(int modelIndex, int width)
    : modelIndex_(modelIndex), width_(std::max(width, 15)), preferredWidth_(std::max(width, 15)) {}

void TableColumn::setWidth(int width) {
  width_ = std::clamp(width, minWidth_, std::max(minWidth_, maxWidth_));
}

void TableColumn::setPreferredWidth(int width) {
  preferredWidth_ = std::clamp(width, minWidth_, std::max(minWidth_, maxWidth_));
}

void TableColumn::setMinWidth(int width) {
  minWidth_ = std::max(width, 0);
  if (maxWidth_ < minWidth_) maxWidth_ = minWidth_;
  width_ = std::max(width_, minWidth_);
  preferredWidth_ = std::max(preferredWidth_, minWidth_);
}

void TableColumn::setMaxWidth(int width) {
  maxWidth_ = std::max(width, minWidth_);
  width_ = std::min(width_, maxWidth_);
  preferredWidth_ = std::min(preferredWidth_, maxWidth_);
}

void TableColumn::sizeWidthToFit() {
  const int width = TableHeader::textWidth(headerValue_.isNull() ? std::string() : headerValue_.toString());
  setPreferredWidth(width);
  setWidth(width);
}

}  // namespace plat::gui
