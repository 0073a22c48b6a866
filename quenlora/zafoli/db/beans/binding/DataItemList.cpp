#include "quenlora/zafoli/db/beans/binding/DataItemList.h"

#include <algorithm>

namespace quenlora::zafoli::db::beans::binding {

int DataItemList::size() const {
  std::lock_guard<ItemLatch> lock(mutex_);
  return static_cast<int>(items_.size());
}

DataItemList::ItemRef DataItemList::at(int index) const {
  std::lock_guard<ItemLatch> lock(mutex_);
  if (index < 0 || index >= static_cast<int>(items_.size())) return nullptr;
  return items_[static_cast<std::size_t>(index)];
}

int DataItemList::indexOf(const databus::DataItem* item) const {
  std::lock_guard<ItemLatch> lock(mutex_);
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == item) return static_cast<int>(i);
  }
  return -1;
}

void DataItemList::append(const ItemRef& item) {
  std::lock_guard<ItemLatch> lock(mutex_);
  items_.push_back(item);
}

bool DataItemList::insert(int index, const ItemRef& item) {
  std::lock_guard<ItemLatch> lock(mutex_);
  if (index < 0 || index > static_cast<int>(items_.size())) return false;
  items_.insert(items_.begin() + index, item);
  return true;
}

bool DataItemList::remove(const databus::DataItem* item) {
  ItemRef removed;  // released after the lock
  std::lock_guard<ItemLatch> lock(mutex_);
  auto it = std::find_if(items_.begin(), items_.end(), [&](const ItemRef& entry) { return entry.get() == item; });
  if (it == items_.end()) return false;
  removed = std::move(*it);
  items_.erase(it);
  return true;
}

std::vector<DataItemList::ItemRef> DataItemList::removeFrom(int index) {
  std::lock_guard<ItemLatch> lock(mutex_);
  std::vector<ItemRef> removed;
  if (index < 0) index = 0;
  if (index >= static_cast<int>(items_.size())) return removed;
  removed.assign(items_.begin() + index, items_.end());
  items_.erase(items_.begin() + index, items_.end());
  return removed;
}

std::vector<DataItemList::ItemRef> DataItemList::snapshot() const {
  std::lock_guard<ItemLatch> lock(mutex_);
  return items_;
}

}  // namespace quenlora::zafoli::db::beans::binding
