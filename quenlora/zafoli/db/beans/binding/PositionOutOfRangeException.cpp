#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

const std::string& PositionOutOfRangeException::defaultMessage() {
  static const std::string text = BindingResourceLoader::text("PositionExcep_Message");
  return text;
}

PositionOutOfRangeException::PositionOutOfRangeException() : Exception(defaultMessage()) {}

}  // namespace quenlora::zafoli::db::beans::binding
