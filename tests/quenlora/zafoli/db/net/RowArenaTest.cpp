#include "quenlora/zafoli/db/net/RowArena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

using quenlora::zafoli::db::net::RowArena;

int alive = 0;

template <std::size_t N>
struct Cell {
  Cell() { ++alive; }
  ~Cell() { --alive; }
  std::array<char, N> payload{};
};

// A block made for one value gets a small one, which fits, and two larger than the whole block, which come from
// the heap. Whatever order they go in after the scope, none may read the block once it is freed (the address
// sanitizer build tells; the larger objects lie above the block there, where telling block from heap reads it).
TEST(RowArena, ObjectsThatDidNotFitOutliveTheBlockInAnyOrder) {
  std::vector<int> order{0, 1, 2};
  do {
    std::vector<std::shared_ptr<void>> cells;
    {
      const RowArena::Scope scope(1);
      cells.push_back(RowArena::make<Cell<8>>());
      cells.push_back(RowArena::make<Cell<512>>());
      cells.push_back(RowArena::make<Cell<512>>());
    }
    EXPECT_EQ(alive, 3);
    for (int i : order) cells[static_cast<std::size_t>(i)].reset();
    EXPECT_EQ(alive, 0);
  } while (std::next_permutation(order.begin(), order.end()));
}

}  // namespace
