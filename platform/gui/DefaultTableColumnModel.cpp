#include "platform/gui/DefaultTableColumnModel.h"

#include <algorithm>

#include "platform/gui/DefaultListSelectionModel.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {

DefaultTableColumnModel::DefaultTableColumnModel()
    : selectionModel_(plat::lang::makeRef<DefaultListSelectionModel>()) {}

void DefaultTableColumnModel::addColumn(const plat::lang::Ref<TableColumn>& column) {
  if (!column) throw plat::lang::IllegalArgumentException("Object is null");
  columns_.push_back(column);
}

void DefaultTableColumnModel::removeColumn(const plat::lang::Ref<TableColumn>& column) {
  auto it = std::find(columns_.begin(), columns_.end(), column);
  if (it == columns_.end()) return;
  const int index = static_cast<int>(it - columns_.begin());
  columns_.erase(it);
  selectionModel_->removeIndexInterval(index, index);
}

void DefaultTableColumnModel::moveColumn(int from, int to) {
  const int count = getColumnCount();
  if (from < 0 || from >= count || to < 0 || to >= count) {
    throw plat::lang::IllegalArgumentException("moveColumn() - Index out of range");
  }
  auto column = columns_[static_cast<size_t>(from)];
  columns_.erase(columns_.begin() + from);
  columns_.insert(columns_.begin() + to, column);
}

plat::lang::Ref<TableColumn> DefaultTableColumnModel::getColumn(int index) const {
  if (index < 0 || index >= getColumnCount()) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " >= " + std::to_string(getColumnCount()));
  }
  return columns_[static_cast<size_t>(index)];
}

int DefaultTableColumnModel::getColumnIndex(const plat::lang::Value& identifier) const {
  for (size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i]->getIdentifier() == identifier) return static_cast<int>(i);
  }
  throw plat::lang::IllegalArgumentException("Identifier not found");
}

int DefaultTableColumnModel::getColumnIndexAtX(int x) const {
  if (x < 0) return -1;
  for (size_t i = 0; i < columns_.size(); ++i) {
    x -= columns_[i]->getWidth();
    if (x < 0) return static_cast<int>(i);
  }
  return -1;
}

int DefaultTableColumnModel::getTotalColumnWidth() const {
  int total = 0;
  for (const auto& c : columns_) total += c->getWidth();
  return total;
}

void DefaultTableColumnModel::setSelectionModel(plat::lang::Ref<ListSelectionModel> model) {
  if (!model) throw plat::lang::IllegalArgumentException("Cannot set a null SelectionModel");
  selectionModel_ = std::move(model);
}

}  // namespace plat::gui
