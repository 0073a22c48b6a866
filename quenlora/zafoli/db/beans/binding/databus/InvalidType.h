// Thrown by the constructors of the data-bus events when given a type outside their range.
#pragma once

#include <string>

#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class InvalidType : public plat::lang::Exception {
 public:
  static constexpr const char* kMessage = "The type in the constructor is not valid. ";

  InvalidType() : Exception(kMessage) {}

  std::string toString() const override { return "InvalidType"; }

  PLAT_THROWABLE_MEMBERS(InvalidType, "quenlora.zafoli.db.beans.binding.databus.InvalidType")
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
