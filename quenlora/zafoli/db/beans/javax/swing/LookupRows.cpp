#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"

#include <algorithm>
#include <type_traits>
#include <typeinfo>
#include <utility>

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

using binding::DataInput;
using binding::MutableCollectionItem;
using binding::databus::DataItem;
using binding::databus::ImmediateAccess;
using plat::lang::Ref;
using plat::lang::Value;

// The library's own row and cell types, which a bulk read may read under the row list's lock; null for any other.
const MutableCollectionItem* libraryRow(const DataItem* item) {
  return item != nullptr && typeid(*item) == typeid(MutableCollectionItem)
             ? static_cast<const MutableCollectionItem*>(item)
             : nullptr;
}
const DataInput* libraryCell(const DataItem* item) {
  return item != nullptr && typeid(*item) == typeid(DataInput) ? static_cast<const DataInput*>(item) : nullptr;
}

// Reads the asked columns of every row under the lock of the rows' list, without copying a reference per row or
// per cell: the rows lie far apart in memory, and each copy is a locked instruction on a line not yet in the cache,
// which keeps the processor from overlapping one row's misses with the next row's. The library's own rows and cells
// are read in place (their locks are leaves, taken after the list's); rows and cells of any other item type are
// kept and read by finish(), after the locks, since their code might reach back into the list.
class ColumnPass {
 public:
  ColumnPass(const std::vector<int>& columns, std::vector<std::vector<Value>>& out) : columns_(columns), out_(out) {}

  void run(const Ref<DataItem>* rows, std::size_t count) {
    for (std::size_t row = 0; row < count; ++row) read(rows[row], row);
  }

  // Reads the kept rows and cells.
  void finish() {
    for (const auto& [row, member] : rows_) readAnyRow(member.get(), row);
    for (const Cell& cell : cells_) {
      if (const ImmediateAccess* value = asValue(cell.item.get()))
        out_[cell.column][cell.row] = value->getValueAsObject();
    }
  }

 private:
  struct Cell {
    std::size_t row;
    std::size_t column;  // index into the asked columns
    Ref<DataItem> item;
  };

  void read(const Ref<DataItem>& member, std::size_t row) {
    if (const MutableCollectionItem* cells = libraryRow(member.get())) {
      cells->members().readMembers([&](const Ref<DataItem>* items, std::size_t size) {
        for (std::size_t c = 0; c < columns_.size(); ++c) {
          const int column = columns_[c];
          if (column < 0 || static_cast<std::size_t>(column) >= size) continue;
          const Ref<DataItem>& item = items[column];
          if (const DataInput* value = libraryCell(item.get())) {
            value->copyValueTo(out_[c][row]);
          } else if (item) {
            cells_.push_back({row, c, item});
          }
        }
      });
    } else if (const DataInput* value = libraryCell(member.get())) {
      readShared(*value, row);
    } else if (member) {
      rows_.emplace_back(row, member);
    }
  }

  // A row that is one value shows it in every column.
  template <class Source>
  void readShared(const Source& source, std::size_t row) {
    Value shared;
    if constexpr (std::is_same_v<Source, DataInput>) {
      source.copyValueTo(shared);
    } else {
      shared = source.getValueAsObject();
    }
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      if (columns_[c] >= 0) out_[c][row] = shared;
    }
  }

  void readAnyRow(const DataItem* member, std::size_t row) {
    if (const MutableCollectionItem* cells = asCollection(member)) {
      for (std::size_t c = 0; c < columns_.size(); ++c) {
        if (columns_[c] < 0) continue;
        const auto cellItem = cells->getDataItem(columns_[c]);
        if (const ImmediateAccess* value = asValue(cellItem.get())) out_[c][row] = value->getValueAsObject();
      }
    } else if (const ImmediateAccess* value = asValue(member)) {
      readShared(*value, row);
    }
  }

  const std::vector<int>& columns_;
  std::vector<std::vector<Value>>& out_;
  std::vector<std::pair<std::size_t, Ref<DataItem>>> rows_;  // rows of other item types
  std::vector<Cell> cells_;                                  // cells of other item types in library rows
};

}  // namespace

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

std::vector<LookupRows::ChangedRow> LookupRows::changedRows(const DataItem* lookup, std::size_t limit) {
  std::vector<ChangedRow> changed;
  const MutableCollectionItem* rows = asCollection(lookup);
  if (rows == nullptr) return changed;
  const auto statusOf = [](const DataItem* item) {
    if (const MutableCollectionItem* row = libraryRow(item)) return row->getStatusFlag();
    if (const DataInput* cell = libraryCell(item)) return cell->getStatusFlag();
    const auto* addition = dynamic_cast<const binding::DataItemAddition*>(item);
    return addition == nullptr ? binding::DataItemAddition::EXISTING : addition->getStatusFlag();
  };
  // One pass over the row list under its lock (an edit asks this of every row); the few changed rows are then
  // asked which of their cells changed.
  std::vector<Ref<DataItem>> found;
  bool tooMany = false;
  rows->members().readMembers([&](const Ref<DataItem>* members, std::size_t size) {
    for (std::size_t r = 0; r < size && !tooMany; ++r) {
      if (statusOf(members[r].get()) == binding::DataItemAddition::EXISTING) continue;
      if (found.size() == limit) {
        tooMany = true;
      } else {
        changed.push_back({static_cast<int>(r), -1});
        found.push_back(members[r]);
      }
    }
  });
  if (tooMany) return {};
  for (std::size_t i = 0; i < found.size(); ++i) {
    const MutableCollectionItem* cells = asCollection(found[i].get());
    if (cells == nullptr) continue;
    int column = -1;
    const std::vector<Ref<DataItem>> items = cells->getDataItems();
    for (std::size_t c = 0; c < items.size() && column != -2; ++c) {
      if (statusOf(items[c].get()) != binding::DataItemAddition::EXISTING)
        column = column == -1 ? static_cast<int>(c) : -2;
    }
    changed[i].column = column < 0 ? -1 : column;
  }
  return changed;
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
  ColumnPass pass(columns, out);
  list->members().readMembers(
      [&](const plat::lang::Ref<DataItem>* members, std::size_t size) { pass.run(members, std::min(count, size)); });
  pass.finish();
  return out;
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
