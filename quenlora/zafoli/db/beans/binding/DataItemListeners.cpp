#include "quenlora/zafoli/db/beans/binding/DataItemListeners.h"

#include <algorithm>

namespace quenlora::zafoli::db::beans::binding {

void DataItemListeners::add(const ListenerRef& listener) {
  if (!listener) return;
  std::lock_guard<std::mutex> lock(mutex_);
  auto grown = listeners_ ? std::make_shared<std::vector<ListenerRef>>(*listeners_)
                          : std::make_shared<std::vector<ListenerRef>>();
  grown->push_back(listener);
  listeners_ = std::move(grown);
}

void DataItemListeners::remove(const ListenerRef& listener) {
  List old;  // released after the lock: it may hold the last reference to the listener
  std::lock_guard<std::mutex> lock(mutex_);
  if (!listeners_) return;
  auto it = std::find(listeners_->begin(), listeners_->end(), listener);
  if (it == listeners_->end()) return;
  auto shrunk = std::make_shared<std::vector<ListenerRef>>();
  shrunk->reserve(listeners_->size() - 1);
  shrunk->insert(shrunk->end(), listeners_->begin(), it);
  shrunk->insert(shrunk->end(), std::next(it), listeners_->end());
  old = std::move(listeners_);
  if (!shrunk->empty()) listeners_ = std::move(shrunk);
}

DataItemListeners::List DataItemListeners::current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listeners_;
}

std::vector<DataItemListeners::ListenerRef> DataItemListeners::snapshot() const {
  List list = current();
  return list ? *list : std::vector<ListenerRef>();
}

int DataItemListeners::size() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listeners_ ? static_cast<int>(listeners_->size()) : 0;
}

void DataItemListeners::fire(const databus::DataItemChangedEvent& event, const std::function<void(int)>& visit) const {
  const List list = current();
  if (!list) return;
  for (std::size_t i = 0; i < list->size(); ++i) {
    if (visit) visit(static_cast<int>(i));
    (*list)[i]->notifyDataItemChanged(event);
  }
}

}  // namespace quenlora::zafoli::db::beans::binding
