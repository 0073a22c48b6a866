// The change listeners of one data item, in registration order. Thread-safe; listeners are called on the list as
// it stood when firing began, outside the lock, so a listener may add or remove listeners while being called.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"

namespace quenlora::zafoli::db::beans::binding {

class DataItemListeners {
 public:
  using ListenerRef = plat::lang::Ref<databus::DataItemChangedListener>;

  DataItemListeners() = default;
  DataItemListeners(const DataItemListeners&) = delete;
  DataItemListeners& operator=(const DataItemListeners&) = delete;

  void add(const ListenerRef& listener);
  // Removes the first registration.
  void remove(const ListenerRef& listener);
  std::vector<ListenerRef> snapshot() const;
  int size() const;
  // Sends event to each listener of a snapshot in order; before each call, visit (when given) learns its index.
  void fire(const databus::DataItemChangedEvent& event, const std::function<void(int)>& visit = {}) const;

 private:
  using List = std::shared_ptr<const std::vector<ListenerRef>>;
  // The list as it stands now.
  List current() const;

  mutable std::mutex mutex_;
  // guarded by mutex_; never changed in place, so that firing shares it instead of copying it. Null while empty.
  List listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding
