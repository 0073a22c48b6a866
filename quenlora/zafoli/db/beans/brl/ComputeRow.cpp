#include "quenlora/zafoli/db/beans/brl/ComputeRow.h"

namespace quenlora::zafoli::db::beans::brl {

void ComputeRow::removeSourceColumnMember(const InputRef& member) {
  removeOne(sources_, member);
}

}  // namespace quenlora::zafoli::db::beans::brl
