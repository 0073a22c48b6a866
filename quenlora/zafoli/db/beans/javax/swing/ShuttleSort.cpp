#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

#include <algorithm>
#include <array>
#include <bit>
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

// When every column's keys, less the column's least, and the rows' positions fit in one machine word together, the
// rows sort as single numbers: the first column in the highest bits, a descending column's keys reversed, the
// position in the lowest bits. The merge then moves a quarter of the bytes and compares once. Two words never tie,
// and the earlier half of every merge holds the lower positions, so each comparison decides as the keys'
// comparison with ties to the earlier half does: the order is the same.
bool sortPacked(const SortKeys& keys, const std::vector<int>& from, std::vector<int>& to) {
  const std::size_t count = from.size();
  const int positionBits = static_cast<int>(std::bit_width(count > 1 ? count - 1 : 0));
  int used = positionBits;
  std::vector<std::uint64_t> least(keys.width(), 0);
  std::vector<int> shift(keys.width(), 0);
  std::vector<bool> constant(keys.width(), true);
  for (std::size_t k = keys.width(); k-- > 0;) {
    std::uint64_t low = ~std::uint64_t{0};
    std::uint64_t high = 0;
    for (const int row : from) {
      const std::uint64_t key = keys.ordinal(k, row);
      low = std::min(low, key);
      high = std::max(high, key);
    }
    if (count == 0 || low == high) continue;  // adds nothing to the order
    const int bits = static_cast<int>(std::bit_width(high - low));
    if (bits > 64 - used) return false;
    least[k] = low;
    shift[k] = used;
    constant[k] = false;
    used += bits;
  }
  std::vector<std::uint64_t> packed(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint64_t word = i;
    for (std::size_t k = 0; k < keys.width(); ++k) {
      if (!constant[k]) word |= (keys.ordinal(k, from[i]) - least[k]) << shift[k];
    }
    packed[i] = word;
  }
  ShuttleSort::sortInPlace(packed, [](std::uint64_t a, std::uint64_t b) { return a < b ? -1 : (a > b ? 1 : 0); });
  const std::uint64_t position = positionBits == 0 ? 0 : (std::uint64_t{1} << positionBits) - 1;
  to.resize(count);
  for (std::size_t i = 0; i < count; ++i) to[i] = from[static_cast<std::size_t>(packed[i] & position)];
  return true;
}

}  // namespace

void ShuttleSort::sort(const std::vector<int>& from, std::vector<int>& to) {
  if (model_ == nullptr) throw plat::lang::IllegalStateException("The sort algorithm has no table model");
  TableBindingModel* model = model_;
  // During the model's own sort its keys are ready: comparing them directly spares a lock and a lookup per pair.
  if (const SortKeys* keys = model->sortKeys()) {
    const bool covered = std::all_of(from.begin(), from.end(), [keys](int row) { return keys->covers(row, row); });
    if (covered && keys->ordinalOnly()) {
      if (sortPacked(*keys, from, to)) return;
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
