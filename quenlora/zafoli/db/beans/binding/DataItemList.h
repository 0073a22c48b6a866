// The ordered members of a collection item, shared between the collection and its cursors (a cursor sees the
// live list, not a copy). Each operation is atomic under the list's own lock; nothing is called under it but a
// bulk reader.
#pragma once

#include <mutex>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/ItemLatch.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding {

class DataItemList {
 public:
  using ItemRef = plat::lang::Ref<databus::DataItem>;

  DataItemList() = default;
  DataItemList(const DataItemList&) = delete;
  DataItemList& operator=(const DataItemList&) = delete;

  int size() const;
  // The member at index; null outside the list.
  ItemRef at(int index) const;
  // Index of the first entry of item; -1 when absent.
  int indexOf(const databus::DataItem* item) const;
  void append(const ItemRef& item);
  // Inserts at index when 0 <= index <= size(); returns whether it did.
  bool insert(int index, const ItemRef& item);
  // Removes the first entry of item; returns whether there was one.
  bool remove(const databus::DataItem* item);
  // Removes and returns the entries from index to the end.
  std::vector<ItemRef> removeFrom(int index);
  std::vector<ItemRef> snapshot() const;
  // Calls read(members, count) under the list's lock, so that a reader of many members copies no reference. The
  // reader may take the members' own locks (always after this one) but must not call back into this list or run
  // code that could.
  template <class Read>
  void readMembers(Read&& read) const {
    std::lock_guard<ItemLatch> lock(mutex_);
    read(static_cast<const ItemRef*>(items_.data()), items_.size());
  }

 private:
  mutable ItemLatch mutex_;
  std::vector<ItemRef> items_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
