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
    to = from;
    sortInPlace(to, compare);
  }

  // The same algorithm over elements of any kind, e.g. rows that carry their keys; compare takes two elements.
  template <class T, class Compare>
  static void sortInPlace(std::vector<T>& items, Compare&& compare) {
    // Both arrays start alike: a range of one is left in place in whichever array its level reads.
    std::vector<T> scratch = items;
    shuttle(scratch, items, 0, static_cast<int>(items.size()), compare);
  }

 private:
  template <class T, class Compare>
  static void shuttle(std::vector<T>& from, std::vector<T>& to, int low, int high, Compare& compare) {
    if (high - low < 2) return;
    const int middle = low + (high - low) / 2;
    shuttle(to, from, low, middle, compare);
    shuttle(to, from, middle, high, compare);
    if (high - low >= 4 && compare(from[middle - 1], from[middle]) <= 0) {
      for (int i = low; i < high; ++i) to[i] = from[i];
      return;
    }
    // Compares only while both halves have elements left; ties take the earlier half. The selection is written
    // without a branch on the comparison, which a merge of random keys would mispredict half the time.
    int p = low;
    int q = middle;
    int i = low;
    while (p < middle && q < high) {
      const T a = from[p];
      const T b = from[q];
      const bool takeFirst = compare(a, b) <= 0;
      to[i++] = takeFirst ? a : b;
      p += takeFirst ? 1 : 0;
      q += takeFirst ? 0 : 1;
    }
    while (p < middle) to[i++] = from[p++];
    while (q < high) to[i++] = from[q++];
  }

  TableBindingModel* model_ = nullptr;  // back reference: the model that handed itself over
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
