#include "quenlora/zafoli/db/beans/javax/swing/ShuttleSort.h"

#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"

namespace quenlora::zafoli::db::beans::javax::swing {

void ShuttleSort::sort(const std::vector<int>& from, std::vector<int>& to) {
  if (model_ == nullptr) throw plat::lang::IllegalStateException("The sort algorithm has no table model");
  TableBindingModel* model = model_;
  sort(from, to, [model](int a, int b) { return model->compare(a, b); });
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
