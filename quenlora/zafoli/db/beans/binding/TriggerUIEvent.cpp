#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"

namespace quenlora::zafoli::db::beans::binding {

std::string TriggerUIEvent::toString() const {
  return getClassName() + "[source=" + (source_ ? source_->toString() : std::string("null")) +
         "; row=" + std::to_string(m_Row) + "; type=" + std::to_string(m_Type) + "]";
}

}  // namespace quenlora::zafoli::db::beans::binding
