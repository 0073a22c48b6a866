// An item that holds one value.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class ImmediateAccess : public DataItem {
 public:
  // Text for display.
  virtual std::string getPresentationString() const = 0;
  virtual plat::lang::Value getValueAsObject() const = 0;
  // The value's text form; nothing for a null value.
  virtual std::optional<std::string> getValueAsString() const = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
