#include "quenlora/zafoli/db/beans/binding/IllegalRelationshipException.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

const std::string& IllegalRelationshipException::defaultMessage() {
  static const std::string text = BindingResourceLoader::text("IllegalExp_Exception");
  return text;
}

IllegalRelationshipException::IllegalRelationshipException() : SynchronizerException(defaultMessage()) {}

}  // namespace quenlora::zafoli::db::beans::binding
