// The engine of the date calculations: adds or subtracts whole days to a date-time input on the local calendar of
// the default time zone (the wall-clock time is kept across daylight-saving changes), or gives the moment of its
// creation as the current date or time, then converts to one of six JDBC output types. It never throws: a failure
// is logged under "Exception while performing date calculation:" and gives a new CalculationFailedValue. One
// helper per call, so "now" is the moment of the call; one thread at a time.
#pragma once

#include <optional>

#include "platform/time/DateTime.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationHelper.h"

namespace quenlora::zafoli::db::beans::brl::derivation {

class DateFunctionsHelper : public DerivationHelper {
 public:
  static constexpr int DATEOP_UNKNOWN = -1;
  static constexpr int DATEOP_ADD = 0;
  static constexpr int DATEOP_SUBTRACT = 1;
  static constexpr int DATEOP_CURRDATE = 2;
  static constexpr int DATEOP_CURRTIME = 3;
  static constexpr int NUMCOLS_DATEADD = 2;
  static constexpr int NUMCOLS_DATESUBTRACT = 2;

  DateFunctionsHelper() : calendar_(plat::time::DateTime::now()) {}

  plat::lang::Value calculate(const DerivationRow& row, int outputType, int dateOp);

  // The instant a date-time input stands for (an SQL date: its local midnight); empty for any other value.
  static std::optional<plat::time::DateTime> toInstant(const plat::lang::Value& value);

 private:
  plat::time::DateTime calendar_;  // the moment of creation
};

}  // namespace quenlora::zafoli::db::beans::brl::derivation
