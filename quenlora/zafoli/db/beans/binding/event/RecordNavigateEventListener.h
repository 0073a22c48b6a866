// Told before and after a data source's current record moves, and when a boundary is reached. A listener may throw
// anything: the firing skips it and calls the next one, and the move goes on. Called on the navigating thread,
// outside the source's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordNavigateEventListener {
 public:
  RecordNavigateEventListener() = default;
  RecordNavigateEventListener(const RecordNavigateEventListener&) = delete;
  RecordNavigateEventListener& operator=(const RecordNavigateEventListener&) = delete;
  virtual ~RecordNavigateEventListener() = default;

  virtual void onAfterRecordNavigate(const RecordNavigateEvent& event) = 0;
  virtual void onBeforeRecordNavigate(const RecordNavigateEvent& event) = 0;
  virtual void onBoundaryRecord(const RecordNavigateEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
