// The listener lists of the change supports: listeners of every property and listeners of one named property,
// each in registration order. Thread-safe; snapshot() copies under the lock so that listeners are called outside it
// and may add or remove listeners while being called.
#pragma once

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"

namespace plat::beans {

template <class Listener>
class ListenerMap {
 public:
  using ListenerRef = plat::lang::Ref<Listener>;

  ListenerMap() = default;
  ListenerMap(const ListenerMap&) = delete;
  ListenerMap& operator=(const ListenerMap&) = delete;

  // A listener added twice is called twice, as in the runtime; null is ignored.
  void add(const std::string* name, ListenerRef listener) {
    if (!listener) return;
    std::lock_guard lock(mutex_);
    listFor(name).push_back(std::move(listener));
  }
  // Removes the first registration of that listener.
  void remove(const std::string* name, const ListenerRef& listener) {
    std::lock_guard lock(mutex_);
    auto& list = listFor(name);
    auto it = std::find(list.begin(), list.end(), listener);
    if (it != list.end()) list.erase(it);
  }
  std::vector<ListenerRef> get(const std::string* name) const {
    std::lock_guard lock(mutex_);
    if (!name) return common_;
    auto it = named_.find(*name);
    return it == named_.end() ? std::vector<ListenerRef>() : it->second;
  }
  // The listeners for a change of that property: those of every property first, then the property's own.
  std::vector<ListenerRef> snapshot(const std::string& name) const {
    std::lock_guard lock(mutex_);
    std::vector<ListenerRef> all = common_;
    if (auto it = named_.find(name); it != named_.end()) all.insert(all.end(), it->second.begin(), it->second.end());
    return all;
  }
  bool hasListeners(const std::string& name) const {
    std::lock_guard lock(mutex_);
    if (!common_.empty()) return true;
    auto it = named_.find(name);
    return it != named_.end() && !it->second.empty();
  }

 private:
  std::vector<ListenerRef>& listFor(const std::string* name) { return name ? named_[*name] : common_; }

  mutable std::mutex mutex_;
  std::vector<ListenerRef> common_;                        // guarded by mutex_
  std::map<std::string, std::vector<ListenerRef>> named_;  // guarded by mutex_
};

}  // namespace plat::beans
