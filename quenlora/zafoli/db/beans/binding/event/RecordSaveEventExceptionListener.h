// Told when the write of one record failed during a save; throws RecordSaveException to stop the save, returns to
// let it go on. Called on the saving thread, outside the source's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveException.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveEventExceptionListener {
 public:
  RecordSaveEventExceptionListener() = default;
  RecordSaveEventExceptionListener(const RecordSaveEventExceptionListener&) = delete;
  RecordSaveEventExceptionListener& operator=(const RecordSaveEventExceptionListener&) = delete;
  virtual ~RecordSaveEventExceptionListener() = default;

  virtual void onRecordSaveException(const RecordSaveEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
