#include "quenlora/zafoli/db/beans/binding/DataItemCursor.h"

namespace quenlora::zafoli::db::beans::binding {

plat::lang::Ref<databus::DataItem> DataItemCursor::getNextItem() {
  auto next = Elements->at(position + 1);
  if (next) ++position;
  return next;
}

plat::lang::Ref<databus::DataItem> DataItemCursor::getPreviousItem() {
  if (position <= 0) return nullptr;
  auto previous = Elements->at(position - 1);
  if (previous) --position;
  return previous;
}

}  // namespace quenlora::zafoli::db::beans::binding
