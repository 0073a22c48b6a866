// The built-in sort algorithm of a sortable bound table: a stable top-down merge sort that alternates between two
// arrays at each level (shuttle sort) and copies a range unmerged when its halves are already in order. Used on
// the GUI thread by one model at a time.
#pragma once

#include <vector>

#include "quenlora/zafoli/db/beans/javax/swing/TableSorting.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class ShuttleSort : public SortAlgorithm {
 public:
  void setTableBindingModel(TableBindingModel* model) override { model_ = model; }
  // plat::lang::IllegalStateException without a model.
  void sort(const std::vector<int>& from, std::vector<int>& to) override;

  // The algorithm over any comparison of two model rows (negative, zero or positive): `to` receives the rows of
  // `from` in order. Ties keep the earlier element first.
  template <class Compare>
  static void sort(const std::vector<int>& from, std::vector<int>& to, Compare&& compare) {
    // Both arrays start alike: a range of one is left in place in whichever array its level reads.
    to = from;
    std::vector<int> scratch = from;
    shuttle(scratch, to, 0, static_cast<int>(from.size()), compare);
  }

 private:
  template <class Compare>
  static void shuttle(std::vector<int>& from, std::vector<int>& to, int low, int high, Compare& compare) {
    if (high - low < 2) return;
    const int middle = low + (high - low) / 2;
    shuttle(to, from, low, middle, compare);
    shuttle(to, from, middle, high, compare);
    if (high - low >= 4 && compare(from[middle - 1], from[middle]) <= 0) {
      for (int i = low; i < high; ++i) to[i] = from[i];
      return;
    }
    int p = low;
    int q = middle;
    for (int i = low; i < high; ++i) {
      if (q >= high || (p < middle && compare(from[p], from[q]) <= 0)) {
        to[i] = from[p++];
      } else {
        to[i] = from[q++];
      }
    }
  }

  TableBindingModel* model_ = nullptr;  // back reference: the model that handed itself over
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
