#include "quenlora/zafoli/db/beans/binding/ExceptionEventSupport.h"

namespace quenlora::zafoli::db::beans::binding {

void ExceptionEventSupport::fireExceptionEvent(const ExceptionEvent& event) const {
  const auto listeners = listeners_.snapshot();
  if (listeners.empty()) return;
  const ExceptionEvent copy(event.getEventType(), event.getExceptionName(), event.getSource());
  for (const auto& listener : listeners) listener->handleExceptionEvent(copy);
}

}  // namespace quenlora::zafoli::db::beans::binding
