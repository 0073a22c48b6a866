// Raised when a master/detail operation is refused because the tree is incomplete (a master is missing), or when
// the user cancelled a save prompt. A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/SynchronizerException.h"

namespace quenlora::zafoli::db::beans::binding {

class RelationshipPendingException : public SynchronizerException {
 public:
  // Carries the default text of SynchronizerException.
  RelationshipPendingException() = default;
  explicit RelationshipPendingException(std::string message) : SynchronizerException(std::move(message)) {}

  PLAT_THROWABLE_MEMBERS(RelationshipPendingException, "quenlora.zafoli.db.beans.binding.RelationshipPendingException")
};

}  // namespace quenlora::zafoli::db::beans::binding
