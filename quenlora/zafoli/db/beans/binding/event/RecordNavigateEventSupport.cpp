#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventSupport.h"

#include "quenlora/zafoli/db/beans/binding/event/CallingRules.h"

namespace quenlora::zafoli::db::beans::binding::event {

void RecordNavigateEventSupport::fireBeforeRecordNavigate(const RecordNavigateEvent& event) const {
  callIgnoringFailures(listeners_.snapshot(),
                       [&](RecordNavigateEventListener& listener) { listener.onBeforeRecordNavigate(event); });
}

void RecordNavigateEventSupport::fireAfterRecordNavigate(const RecordNavigateEvent& event) const {
  callIgnoringFailures(listeners_.snapshot(),
                       [&](RecordNavigateEventListener& listener) { listener.onAfterRecordNavigate(event); });
}

void RecordNavigateEventSupport::fireBoundaryRecord(const RecordNavigateEvent& event) const {
  callIgnoringFailures(listeners_.snapshot(),
                       [&](RecordNavigateEventListener& listener) { listener.onBoundaryRecord(event); });
}

}  // namespace quenlora::zafoli::db::beans::binding::event
