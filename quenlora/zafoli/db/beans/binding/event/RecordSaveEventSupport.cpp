#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventSupport.h"

#include "quenlora/zafoli/db/beans/binding/event/CallingRules.h"

namespace quenlora::zafoli::db::beans::binding::event {

void RecordSaveEventSupport::fireBeforeRecordSave(const RecordSaveEvent& event) const {
  callUntilFirstFailure(listeners_.snapshot(),
                        [&](RecordSaveEventListener& listener) { listener.onBeforeRecordSave(event); });
}

void RecordSaveEventSupport::fireAfterRecordSave(const RecordSaveEvent& event) const {
  callPassingFailures(listeners_.snapshot(),
                      [&](RecordSaveEventListener& listener) { listener.onAfterRecordSave(event); });
}

}  // namespace quenlora::zafoli::db::beans::binding::event
