#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

#include <algorithm>

#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {

void ShuttleSort::sort(const std::vector<int>& from, std::vector<int>& to) {
  if (model_ == nullptr) throw plat::lang::IllegalStateException("The sort algorithm has no table model");
  TableBindingModel* model = model_;
  // During the model's own sort its keys are ready: comparing them directly spares a lock and a lookup per pair.
  if (const SortKeys* keys = model->sortKeys()) {
    const bool covered = std::all_of(from.begin(), from.end(), [keys](int row) { return keys->covers(row, row); });
    if (covered) {
      sort(from, to, [keys](int a, int b) { return keys->compare(a, b); });
      return;
    }
  }
  sort(from, to, [model](int a, int b) { return model->compare(a, b); });
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
