// Raised when a detail is navigated or saved while its master stands on a new record. It has no default text.
// A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding {

class ParentInvalidRecordException : public plat::lang::Exception {
 public:
  explicit ParentInvalidRecordException(std::string message) : Exception(std::move(message)) {}

  PLAT_THROWABLE_MEMBERS(ParentInvalidRecordException, "quenlora.zafoli.db.beans.binding.ParentInvalidRecordException")
};

}  // namespace quenlora::zafoli::db::beans::binding
