// A collection item whose members can be added, inserted at a cursor and removed.
#pragma once

#include "quenlora/zafoli/db/beans/binding/databus/CollectionAccess.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class MutableCollectionAccess : public CollectionAccess {
 public:
  // Appends.
  virtual void addDataItem(const plat::lang::Ref<DataItem>& item) = 0;
  virtual void insertAfterCursor(const DataCursor& cursor, const plat::lang::Ref<DataItem>& item) = 0;
  virtual void insertBeforeCursor(const DataCursor& cursor, const plat::lang::Ref<DataItem>& item) = 0;
  virtual void removeAtCursor(const DataCursor& cursor) = 0;
  virtual void removeDataItem(const plat::lang::Ref<DataItem>& item) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
