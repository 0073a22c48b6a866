// The engine of the numeric calculations: collects a row's inputs, chooses 64-bit integer or double arithmetic from
// their classes, folds them left to right with one operator and converts the result to the JDBC output type. It
// never throws: a failure is logged under "Exception while performing calculation:" and gives a new
// CalculationFailedValue. Integer arithmetic is checked (overflow fails) and narrowing to an integer type fails
// when the value does not fit. One helper per call; one thread at a time.
#pragma once

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"

namespace quenlora::zafoli::db::beans::util {
class LogWindowHelper;
}

namespace quenlora::zafoli::db::beans::brl::derivation {

class DerivationHelper {
 public:
  DerivationHelper();
  virtual ~DerivationHelper() = default;

  plat::lang::Value calculate(const DerivationRow& row, int outputType, int op);

  // The fold's result (a Long or a Double, null for none) as the output type's class; ArithmeticException when an
  // integer type cannot hold it.
  static plat::lang::Value convertToOutputType(const plat::lang::Value& result, int outputType);

 protected:
  // Logs title and message and gives a new CalculationFailedValue.
  plat::lang::Value failed(const std::string& title, const std::string& message);

  util::LogWindowHelper& logHelper_;  // the process's log helper
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation
