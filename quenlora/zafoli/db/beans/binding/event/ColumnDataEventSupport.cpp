#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventSupport.h"

#include "quenlora/zafoli/db/beans/binding/event/CallingRules.h"

namespace quenlora::zafoli::db::beans::binding::event {

void ColumnDataEventSupport::fireBeforeColumnDataChange(const ColumnDataEvent& event) const {
  callUntilFirstFailure(listeners_.snapshot(),
                        [&](ColumnDataEventListener& listener) { listener.onBeforeColumnDataChange(event); });
}

void ColumnDataEventSupport::fireAfterColumnDataChange(const ColumnDataEvent& event) const {
  callUntilFirstFailure(listeners_.snapshot(),
                        [&](ColumnDataEventListener& listener) { listener.onAfterColumnDataChange(event); });
}

}  // namespace quenlora::zafoli::db::beans::binding::event
