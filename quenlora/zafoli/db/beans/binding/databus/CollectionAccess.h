// An item made of member items, read through a cursor.
#pragma once

#include <memory>

#include "quenlora/zafoli/db/beans/binding/databus/DataCursor.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class CollectionAccess : public DataItem {
 public:
  // A new cursor at the first member.
  virtual std::unique_ptr<DataCursor> getCursor() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
