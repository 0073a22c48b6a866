#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"

namespace quenlora::zafoli::db::beans::brl {

std::optional<std::string> ConstantMember::toString() const {
  if (constantValue_.isNull()) return std::nullopt;
  return constantValue_.toString();
}

}  // namespace quenlora::zafoli::db::beans::brl
