#include "platform/gui/DefaultComboBoxModel.h"

#include "platform/lang/Exceptions.h"

namespace plat::gui {

DefaultComboBoxModel::DefaultComboBoxModel(std::vector<plat::lang::Value> items) : objects_(std::move(items)) {
  if (!objects_.empty()) selected_ = objects_.front();
}

plat::lang::Value DefaultComboBoxModel::getElementAt(int index) const {
  if (index < 0 || index >= getSize()) return {};
  return objects_[static_cast<size_t>(index)];
}

void DefaultComboBoxModel::setSelectedItem(const plat::lang::Value& item) {
  if (selected_ == item) return;
  selected_ = item;
  fireContentsChanged(this, -1, -1);
}

void DefaultComboBoxModel::addElement(const plat::lang::Value& item) {
  objects_.push_back(item);
  const int index = getSize() - 1;
  fireIntervalAdded(this, index, index);
  if (objects_.size() == 1 && selected_.isNull() && !item.isNull()) setSelectedItem(item);
}

void DefaultComboBoxModel::insertElementAt(const plat::lang::Value& item, int index) {
  if (index < 0 || index > getSize()) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " > " + std::to_string(getSize()));
  }
  objects_.insert(objects_.begin() + index, item);
  fireIntervalAdded(this, index, index);
}

void DefaultComboBoxModel::removeElementAt(int index) {
  if (index < 0 || index >= getSize()) {
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index) + " >= " + std::to_string(getSize()));
  }
  if (getElementAt(index) == selected_) {
    // The neighbour takes over the selection, as a user would expect when the chosen entry disappears.
    setSelectedItem(index == 0 ? (getSize() == 1 ? plat::lang::Value() : getElementAt(1)) : getElementAt(index - 1));
  }
  objects_.erase(objects_.begin() + index);
  fireIntervalRemoved(this, index, index);
}

void DefaultComboBoxModel::removeAllElements() {
  if (objects_.empty()) return;
  const int last = getSize() - 1;
  objects_.clear();
  selected_ = {};
  fireIntervalRemoved(this, 0, last);
}

int DefaultComboBoxModel::getIndexOf(const plat::lang::Value& item) const {
  for (size_t i = 0; i < objects_.size(); ++i) {
    if (objects_[i] == item) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace plat::gui
