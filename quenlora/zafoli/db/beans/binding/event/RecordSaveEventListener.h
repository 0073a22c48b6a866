// Told before and after a data source writes a record or a set. What the before-listener throws ends that firing
// (its message goes to standard output) and the save goes on; what the after-listener throws reaches the caller of
// the save. Called on the saving thread, outside the source's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveEventListener {
 public:
  RecordSaveEventListener() = default;
  RecordSaveEventListener(const RecordSaveEventListener&) = delete;
  RecordSaveEventListener& operator=(const RecordSaveEventListener&) = delete;
  virtual ~RecordSaveEventListener() = default;

  virtual void onAfterRecordSave(const RecordSaveEvent& event) = 0;
  virtual void onBeforeRecordSave(const RecordSaveEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
