// The contracts a sortable bound table offers the application: a sort key (model column and direction),
// a comparator for the cells of one named column, and a replaceable sort algorithm. TableBindingModel names them
// as its own nested types. Implementations are called on the GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::javax::swing {

class TableBindingModel;

struct SortSpec {
  int column = -1;  // model column; -1 until set
  bool ascending = true;

  friend bool operator==(const SortSpec&, const SortSpec&) = default;
};

class ColumnSorter : public plat::lang::Object {
 public:
  // Negative, zero or positive; neither value is null.
  virtual int compare(const plat::lang::Value& a, const plat::lang::Value& b) = 0;
  // The column it sorts, matched to the table's columns without regard to case.
  virtual std::string getColumnName() const = 0;
};

class SortAlgorithm : public plat::lang::Object {
 public:
  // The model whose compare() orders the rows (borrowed; the model outlives its algorithm's use).
  virtual void setTableBindingModel(TableBindingModel* model) = 0;
  // Fills `to` with the model rows of `from` in sorted order; both have the same length.
  virtual void sort(const std::vector<int>& from, std::vector<int>& to) = 0;
};

}  // namespace quenlora::zafoli::db::beans::javax::swing
