// The record-navigate listeners of a data source and their firing: every listener registered when a firing starts,
// in registration order, on the same event; a listener that throws is skipped and the next one is called, so no
// listener can stop the others or the move. Thread-safe; listeners are called outside the lock.
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventListener.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordNavigateEventSupport {
 public:
  using ListenerRef = plat::lang::Ref<RecordNavigateEventListener>;

  RecordNavigateEventSupport() = default;
  RecordNavigateEventSupport(const RecordNavigateEventSupport&) = delete;
  RecordNavigateEventSupport& operator=(const RecordNavigateEventSupport&) = delete;

  void addRecordNavigateEventListener(const ListenerRef& listener) { listeners_.add(listener); }
  void removeRecordNavigateEventListener(const ListenerRef& listener) { listeners_.remove(listener); }
  std::vector<ListenerRef> getListeners() const { return listeners_.snapshot(); }

  void fireBeforeRecordNavigate(const RecordNavigateEvent& event) const;
  void fireAfterRecordNavigate(const RecordNavigateEvent& event) const;
  void fireBoundaryRecord(const RecordNavigateEvent& event) const;

 private:
  ListenerList<RecordNavigateEventListener> listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
