#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"

#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using binding::MutableCollectionItem;
using binding::databus::DataItem;
using binding::databus::ImmediateAccess;

int LookupRows::rowCount(const DataItem* lookup) {
  if (lookup == nullptr) return 0;
  if (const auto* rows = dynamic_cast<const MutableCollectionItem*>(lookup)) return rows->getItemCount();
  return dynamic_cast<const ImmediateAccess*>(lookup) != nullptr ? 1 : 0;
}

bool LookupRows::isSingleValue(const DataItem* lookup) {
  return dynamic_cast<const ImmediateAccess*>(lookup) != nullptr;
}

bool LookupRows::isSingleValueRow(const DataItem* lookup, int row) {
  if (isSingleValue(lookup)) return row == 0;
  const auto* rows = dynamic_cast<const MutableCollectionItem*>(lookup);
  if (rows == nullptr) return false;
  return dynamic_cast<const ImmediateAccess*>(rows->getDataItem(row).get()) != nullptr;
}

plat::lang::Ref<DataItem> LookupRows::cellItem(const DataItem* lookup, int row, int column) {
  if (lookup == nullptr || row < 0 || column < 0) return nullptr;
  const auto* rows = dynamic_cast<const MutableCollectionItem*>(lookup);
  if (rows == nullptr) {
    // A one-value lookup is its own only cell; the caller holds it already.
    return nullptr;
  }
  auto member = rows->getDataItem(row);
  if (!member) return nullptr;
  if (dynamic_cast<const ImmediateAccess*>(member.get()) != nullptr) return member;
  const auto* cells = dynamic_cast<const MutableCollectionItem*>(member.get());
  return cells == nullptr ? nullptr : cells->getDataItem(column);
}

plat::lang::Value LookupRows::cell(const DataItem* lookup, int row, int column) {
  if (const auto* single = dynamic_cast<const ImmediateAccess*>(lookup)) {
    return row == 0 ? single->getValueAsObject() : plat::lang::Value();
  }
  auto item = cellItem(lookup, row, column);
  const auto* value = dynamic_cast<const ImmediateAccess*>(item.get());
  return value == nullptr ? plat::lang::Value() : value->getValueAsObject();
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
