// The listener list of one event kind on a firing object: registration order, duplicates allowed, removal of the
// first equal entry. Thread-safe; snapshot() copies under the lock so that the firing object calls its listeners
// outside it, and a listener may add or remove listeners while being called (effective from the next firing).
#pragma once

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::event {

template <class Listener>
class ListenerList {
 public:
  using ListenerRef = plat::lang::Ref<Listener>;

  ListenerList() = default;
  ListenerList(const ListenerList&) = delete;
  ListenerList& operator=(const ListenerList&) = delete;

  // A null listener is ignored.
  void add(ListenerRef listener) {
    if (!listener) return;
    std::lock_guard lock(mutex_);
    listeners_.push_back(std::move(listener));
  }
  void remove(const ListenerRef& listener) {
    std::lock_guard lock(mutex_);
    auto it = std::find(listeners_.begin(), listeners_.end(), listener);
    if (it != listeners_.end()) listeners_.erase(it);
  }
  bool contains(const ListenerRef& listener) const {
    std::lock_guard lock(mutex_);
    return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
  }
  std::vector<ListenerRef> snapshot() const {
    std::lock_guard lock(mutex_);
    return listeners_;
  }
  bool empty() const {
    std::lock_guard lock(mutex_);
    return listeners_.empty();
  }

 private:
  mutable std::mutex mutex_;
  std::vector<ListenerRef> listeners_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding::event
