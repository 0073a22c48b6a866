// A one-value item whose value can be set from another one-value item.
#pragma once

#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class MutableImmediateAccess : public ImmediateAccess {
 public:
  virtual void setValue(const ImmediateAccess& value) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
