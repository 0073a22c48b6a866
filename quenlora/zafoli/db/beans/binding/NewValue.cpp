#include "quenlora/zafoli/db/beans/binding/NewValue.h"

namespace quenlora::zafoli::db::beans::binding {

std::optional<std::string> NewValue::getValueAsString() const {
  if (m_Value.isNull()) return std::nullopt;
  return m_Value.toString();
}

}  // namespace quenlora::zafoli::db::beans::binding
