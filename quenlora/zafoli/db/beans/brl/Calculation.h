// A rule that computes one value from a row of inputs. It never throws: a failure gives a CalculationFailedValue.
// Used by one thread at a time.
#pragma once

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/brl/ComputedColumn.h"

namespace quenlora::zafoli::db::beans::brl {

class DerivationRow;

class Calculation : public ComputedColumn {
 public:
  static constexpr const char* kInterfaceName = "quenlora.zafoli.db.beans.brl.Calculation";

  // The value for the row converted to outputType (a JDBC type code), or a marker.
  virtual plat::lang::Value getComputedValue(const DerivationRow& row, int outputType) = 0;
  // Whether the rule may fold a set of rows as a running aggregate.
  virtual bool isUsedForAggregate() const = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
