#include "quenlora/zafoli/db/beans/binding/DataItemListeners.h"

#include <algorithm>

namespace quenlora::zafoli::db::beans::binding {

void DataItemListeners::add(const ListenerRef& listener) {
  if (!listener) return;
  std::lock_guard<std::mutex> lock(mutex_);
  listeners_.push_back(listener);
}

void DataItemListeners::remove(const ListenerRef& listener) {
  ListenerRef removed;  // released after the lock
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it == listeners_.end()) return;
  removed = std::move(*it);
  listeners_.erase(it);
}

std::vector<DataItemListeners::ListenerRef> DataItemListeners::snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listeners_;
}

int DataItemListeners::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(listeners_.size());
}

void DataItemListeners::fire(const databus::DataItemChangedEvent& event, const std::function<void(int)>& visit) const {
  std::vector<ListenerRef> copy = snapshot();
  for (std::size_t i = 0; i < copy.size(); ++i) {
    if (visit) visit(static_cast<int>(i));
    copy[i]->notifyDataItemChanged(event);
  }
}

}  // namespace quenlora::zafoli::db::beans::binding
