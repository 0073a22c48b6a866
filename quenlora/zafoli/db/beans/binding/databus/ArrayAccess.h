// A collection addressed by coordinates. Declared for components outside the library; nothing here implements it.
#pragma once

#include <vector>

#include "quenlora/zafoli/db/beans/binding/databus/CollectionAccess.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class ArrayAccess : public CollectionAccess {
 public:
  virtual std::vector<int> getDimensions() const = 0;
  virtual plat::lang::Ref<DataItem> getItemByCoordinates(const std::vector<int>& coordinates) = 0;
  virtual plat::lang::Ref<ArrayAccess> subdivide(const std::vector<int>& start, const std::vector<int>& end) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
