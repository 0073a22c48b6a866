// The record-save exception listeners of a data source: registration order, duplicates allowed, removal of the
// first equal entry. Thread-safe; a firing works on a snapshot, so listeners may register or remove listeners.
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventExceptionListener.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveEventExceptionSupport {
 public:
  using ListenerRef = plat::lang::Ref<RecordSaveEventExceptionListener>;

  RecordSaveEventExceptionSupport() = default;
  RecordSaveEventExceptionSupport(const RecordSaveEventExceptionSupport&) = delete;
  RecordSaveEventExceptionSupport& operator=(const RecordSaveEventExceptionSupport&) = delete;

  void addRecordSaveEventExceptionListener(const ListenerRef& listener) { listeners_.add(listener); }
  void removeRecordSaveEventExceptionListener(const ListenerRef& listener) { listeners_.remove(listener); }
  std::vector<ListenerRef> getListeners() const { return listeners_.snapshot(); }

 private:
  ListenerList<RecordSaveEventExceptionListener> listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
