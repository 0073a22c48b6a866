// The column-data listeners of a data source and their firing: every listener registered when a firing starts, in
// registration order, on the same event; the first listener that throws ends that firing with its message on
// standard output, and the edit that fired goes on. Thread-safe; listeners are called outside the lock.
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"

namespace quenlora::zafoli::db::beans::binding::event {

class ColumnDataEventSupport {
 public:
  using ListenerRef = plat::lang::Ref<ColumnDataEventListener>;

  ColumnDataEventSupport() = default;
  ColumnDataEventSupport(const ColumnDataEventSupport&) = delete;
  ColumnDataEventSupport& operator=(const ColumnDataEventSupport&) = delete;

  void addColumnDataEventListener(const ListenerRef& listener) { listeners_.add(listener); }
  void removeColumnDataEventListener(const ListenerRef& listener) { listeners_.remove(listener); }
  std::vector<ListenerRef> getListeners() const { return listeners_.snapshot(); }

  void fireBeforeColumnDataChange(const ColumnDataEvent& event) const;
  void fireAfterColumnDataChange(const ColumnDataEvent& event) const;

 private:
  ListenerList<ColumnDataEventListener> listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
