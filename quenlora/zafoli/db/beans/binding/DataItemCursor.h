// A cursor over the live member list of a collection item: members added or removed through the collection are
// seen at once. One cursor belongs to one thread at a time; the list itself is thread-safe.
#pragma once

#include <memory>

#include "quenlora/zafoli/db/beans/binding/DataItemList.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataCursor.h"

namespace quenlora::zafoli::db::beans::binding {

class DataItemCursor : public databus::DataCursor {
 public:
  // Over an empty list of its own.
  DataItemCursor() : DataItemCursor(0) {}
  explicit DataItemCursor(int position) : Elements(std::make_shared<DataItemList>()), position(position) {}
  explicit DataItemCursor(std::shared_ptr<DataItemList> elements, int position = 0)
      : Elements(elements ? std::move(elements) : std::make_shared<DataItemList>()), position(position) {}

  plat::lang::Ref<databus::DataItem> getCurrentItem() const override { return Elements->at(position); }
  plat::lang::Ref<databus::DataItem> getNextItem() override;
  plat::lang::Ref<databus::DataItem> getPreviousItem() override;
  void reset() override { position = 0; }

  int getPosition() const { return position; }

 private:
  std::shared_ptr<DataItemList> Elements;  // shared with the collection; never null
  int position;
};

}  // namespace quenlora::zafoli::db::beans::binding
