// The listener list of one event kind on a model or component: registration order, duplicates allowed, removal of
// the first equal entry, null ignored. Thread-safe: snapshot() copies under the lock, so listeners are called
// outside it and may add or remove listeners while being called.
#pragma once

#include <vector>

#include "platform/beans/ListenerMap.h"

namespace plat::gui {

template <class Listener>
class ListenerList {
 public:
  using ListenerRef = plat::lang::Ref<Listener>;

  ListenerList() = default;
  ListenerList(const ListenerList&) = delete;
  ListenerList& operator=(const ListenerList&) = delete;

  void add(ListenerRef listener) { map_.add(nullptr, std::move(listener)); }
  void remove(const ListenerRef& listener) { map_.remove(nullptr, listener); }
  std::vector<ListenerRef> snapshot() const { return map_.get(nullptr); }
  bool empty() const { return map_.get(nullptr).empty(); }
  int size() const { return static_cast<int>(map_.get(nullptr).size()); }

 private:
  plat::beans::ListenerMap<Listener> map_;
};

}  // namespace plat::gui
