// The record-save listeners of a data source and their firing: every listener registered when a firing starts, in
// registration order, on the same event. Before a write, the first listener that throws ends the firing with its
// message on standard output and the save goes on; after a write, what a listener throws reaches the caller of the
// save. Thread-safe; listeners are called outside the lock.
#pragma once

#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventListener.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveEventSupport {
 public:
  using ListenerRef = plat::lang::Ref<RecordSaveEventListener>;

  RecordSaveEventSupport() = default;
  RecordSaveEventSupport(const RecordSaveEventSupport&) = delete;
  RecordSaveEventSupport& operator=(const RecordSaveEventSupport&) = delete;

  void addRecordSaveEventListener(const ListenerRef& listener) { listeners_.add(listener); }
  void removeRecordSaveEventListener(const ListenerRef& listener) { listeners_.remove(listener); }
  std::vector<ListenerRef> getListeners() const { return listeners_.snapshot(); }

  void fireBeforeRecordSave(const RecordSaveEvent& event) const;
  // Throws what a listener throws; the listeners after it are not called.
  void fireAfterRecordSave(const RecordSaveEvent& event) const;

 private:
  ListenerList<RecordSaveEventListener> listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
