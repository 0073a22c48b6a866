#include "quenlora/zafoli/db/beans/binding/DataBindingException.h"

#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"

namespace quenlora::zafoli::db::beans::binding {

const std::string& DataBindingException::defaultMessage() {
  static const std::string text = BindingResourceLoader::text("DataBindEx_Noreason");
  return text;
}

DataBindingException::DataBindingException() : plat::sql::SQLException(defaultMessage()) {}

}  // namespace quenlora::zafoli::db::beans::binding
