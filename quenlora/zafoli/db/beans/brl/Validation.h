// A rule that checks a relation between inputs: it returns when the rule holds and throws ValidationException
// otherwise (performed: broken; not performed: the inputs could not be evaluated). Used by one thread at a time.
#pragma once

#include "quenlora/zafoli/db/beans/brl/ComputedColumn.h"

namespace quenlora::zafoli::db::beans::brl {

class ValidationRow;

class Validation : public ComputedColumn {
 public:
  static constexpr const char* kInterfaceName = "quenlora.zafoli.db.beans.brl.Validation";

  virtual void validate(const ValidationRow& row) = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
