#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"

#include <algorithm>
#include <typeinfo>

#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

// Tables read every cell: the library's own item classes are recognised by their exact type first, which costs far
// less than a cross cast; any other implementation takes the cast.
const binding::MutableCollectionItem* asCollection(const binding::databus::DataItem* item) {
  if (item != nullptr && typeid(*item) == typeid(binding::MutableCollectionItem)) {
    return static_cast<const binding::MutableCollectionItem*>(item);
  }
  return dynamic_cast<const binding::MutableCollectionItem*>(item);
}

const binding::databus::ImmediateAccess* asValue(const binding::databus::DataItem* item) {
  if (item != nullptr && typeid(*item) == typeid(binding::DataInput)) {
    return static_cast<const binding::DataInput*>(item);
  }
  return dynamic_cast<const binding::databus::ImmediateAccess*>(item);
}

}  // namespace

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
  const MutableCollectionItem* rows = asCollection(lookup);
  if (rows == nullptr) {
    const ImmediateAccess* single = asValue(lookup);
    return single != nullptr && row == 0 ? single->getValueAsObject() : plat::lang::Value();
  }
  if (row < 0 || column < 0) return plat::lang::Value();
  const auto member = rows->getDataItem(row);
  if (const MutableCollectionItem* cells = asCollection(member.get())) {
    const auto cellItem = cells->getDataItem(column);
    const ImmediateAccess* value = asValue(cellItem.get());
    return value == nullptr ? plat::lang::Value() : value->getValueAsObject();
  }
  const ImmediateAccess* value = asValue(member.get());
  return value == nullptr ? plat::lang::Value() : value->getValueAsObject();
}

std::vector<std::vector<plat::lang::Value>> LookupRows::columns(const DataItem* lookup, const std::vector<int>& columns,
                                                                int rows) {
  const std::size_t count = static_cast<std::size_t>(std::max(rows, 0));
  std::vector<std::vector<plat::lang::Value>> out(columns.size(), std::vector<plat::lang::Value>(count));
  const MutableCollectionItem* list = asCollection(lookup);
  if (list == nullptr) {
    if (count == 0) return out;
    const ImmediateAccess* single = asValue(lookup);
    if (single == nullptr) return out;
    const plat::lang::Value value = single->getValueAsObject();
    for (auto& column : out) column[0] = value;
    return out;
  }
  const std::vector<plat::lang::Ref<DataItem>> members = list->getDataItems();
  const std::size_t read = std::min(count, members.size());
  for (std::size_t row = 0; row < read; ++row) {
    const DataItem* member = members[row].get();
    if (const MutableCollectionItem* cells = asCollection(member)) {
      for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c] < 0) continue;
        const auto cellItem = cells->getDataItem(columns[c]);
        if (const ImmediateAccess* value = asValue(cellItem.get())) out[c][row] = value->getValueAsObject();
      }
    } else if (const ImmediateAccess* value = asValue(member)) {
      const plat::lang::Value shared = value->getValueAsObject();
      for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c] >= 0) out[c][row] = shared;
      }
    }
  }
  return out;
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
