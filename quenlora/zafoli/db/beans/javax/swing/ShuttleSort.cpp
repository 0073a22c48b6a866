#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

#include <algorithm>
#include <array>
#include <compare>
#include <cstdint>

#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

// Rows that carry their ordinal keys: the merge then reads its arrays in sequence instead of looking every key up
// by row. The comparisons, and so the order, are those of the keys looked up.
template <std::size_t Width>
void sortCarryingKeys(const SortKeys& keys, const std::vector<int>& from, std::vector<int>& to) {
  struct Row {
    std::array<std::uint64_t, Width> key;
    int row;
  };
  std::vector<Row> rows(from.size());
  for (std::size_t i = 0; i < from.size(); ++i) {
    rows[i].row = from[i];
    for (std::size_t k = 0; k < Width; ++k) rows[i].key[k] = keys.ordinal(k, from[i]);
  }
  ShuttleSort::sortInPlace(rows, [](const Row& a, const Row& b) {
    const auto order = a.key <=> b.key;
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  });
  to.resize(from.size());
  for (std::size_t i = 0; i < rows.size(); ++i) to[i] = rows[i].row;
}

}  // namespace

void ShuttleSort::sort(const std::vector<int>& from, std::vector<int>& to) {
  if (model_ == nullptr) throw plat::lang::IllegalStateException("The sort algorithm has no table model");
  TableBindingModel* model = model_;
  // During the model's own sort its keys are ready: comparing them directly spares a lock and a lookup per pair.
  if (const SortKeys* keys = model->sortKeys()) {
    const bool covered = std::all_of(from.begin(), from.end(), [keys](int row) { return keys->covers(row, row); });
    if (covered && keys->ordinalOnly()) {
      switch (keys->width()) {
        case 1:
          return sortCarryingKeys<1>(*keys, from, to);
        case 2:
          return sortCarryingKeys<2>(*keys, from, to);
        case 3:
          return sortCarryingKeys<3>(*keys, from, to);
        default:
          break;
      }
    }
    if (covered) {
      sort(from, to, [keys](int a, int b) { return keys->compare(a, b); });
      return;
    }
  }
  sort(from, to, [model](int a, int b) { return model->compare(a, b); });
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
