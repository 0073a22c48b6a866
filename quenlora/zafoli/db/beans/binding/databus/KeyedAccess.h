// A collection addressed by key. Declared for components outside the library; nothing here implements it.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/databus/CollectionAccess.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class KeyedAccess : public CollectionAccess {
 public:
  virtual plat::lang::Ref<DataItem> getItemByKey(const std::string& key) = 0;
  virtual plat::lang::Ref<CollectionAccess> getKeyList() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
