// Follows the changes of data items; called on the changing thread, outside the item's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataItemChangedListener {
 public:
  virtual ~DataItemChangedListener() = default;
  virtual void notifyDataItemChanged(const DataItemChangedEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
