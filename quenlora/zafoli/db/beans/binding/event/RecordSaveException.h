// Thrown by a record-save exception listener to stop a save; carries the record-save event of the failed write.
// A copyable value (copies share the event), used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveException : public plat::lang::Exception {
 public:
  RecordSaveException(std::string message, const RecordSaveEvent& event)
      : Exception(std::move(message)), event_(std::make_shared<const RecordSaveEvent>(event)) {}

  const RecordSaveEvent& getEvent() const { return *event_; }

  PLAT_THROWABLE_MEMBERS(RecordSaveException, "quenlora.zafoli.db.beans.binding.event.RecordSaveException")

 private:
  std::shared_ptr<const RecordSaveEvent> event_;  // never null
};

}  // namespace quenlora::zafoli::db::beans::binding::event
