// A binding name as a bean property holds it: a Name with nothing added.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/Name.h"

namespace quenlora::zafoli::db::beans::binding {

class DataBinding : public Name {
 public:
  DataBinding() : Name(std::string()) {}
  explicit DataBinding(const std::string& text) : Name(text) {}

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.DataBinding"; }
};

}  // namespace quenlora::zafoli::db::beans::binding
