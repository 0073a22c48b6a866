#include "quenlora/zafoli/db/beans/binding/SynchronizerException.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

const std::string& SynchronizerException::defaultMessage() {
  static const std::string text = BindingResourceLoader::text("SynchronizerExcept_String");
  return text;
}

SynchronizerException::SynchronizerException() : DataBindingException(defaultMessage()) {}

}  // namespace quenlora::zafoli::db::beans::binding
