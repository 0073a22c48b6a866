// A position in the members of a collection item.
#pragma once

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataCursor {
 public:
  virtual ~DataCursor() = default;
  // The member at the position; null when there is none.
  virtual plat::lang::Ref<DataItem> getCurrentItem() const = 0;
  // Moves on and returns the new current member; null (and no move) at the last member.
  virtual plat::lang::Ref<DataItem> getNextItem() = 0;
  // Moves back and returns the new current member; null (and no move) at the first member.
  virtual plat::lang::Ref<DataItem> getPreviousItem() = 0;
  virtual void reset() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
