// Raised by a row cache asked for a position it cannot be grown to hold.
// A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding {

class PositionOutOfRangeException : public plat::lang::Exception {
 public:
  // Carries the default text "Position out of range" of the message bundle.
  PositionOutOfRangeException();
  explicit PositionOutOfRangeException(std::string message) : plat::lang::Exception(std::move(message)) {}

  // The text of the default locale, looked up when the class is first used.
  static const std::string& defaultMessage();

  PLAT_THROWABLE_MEMBERS(PositionOutOfRangeException, "quenlora.zafoli.db.beans.binding.PositionOutOfRangeException")
};

}  // namespace quenlora::zafoli::db::beans::binding
