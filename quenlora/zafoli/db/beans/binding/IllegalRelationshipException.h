// Raised when a data source would enter a master/detail tree in a place it cannot take.
// A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/SynchronizerException.h"

namespace quenlora::zafoli::db::beans::binding {

class IllegalRelationshipException : public SynchronizerException {
 public:
  // Carries the default text "Attempt to establish an illegal relationship." of the message bundle.
  IllegalRelationshipException();
  explicit IllegalRelationshipException(std::string message) : SynchronizerException(std::move(message)) {}

  // The text of the default locale, looked up when the class is first used.
  static const std::string& defaultMessage();

  PLAT_THROWABLE_MEMBERS(IllegalRelationshipException, "quenlora.zafoli.db.beans.binding.IllegalRelationshipException")
};

}  // namespace quenlora::zafoli::db::beans::binding
