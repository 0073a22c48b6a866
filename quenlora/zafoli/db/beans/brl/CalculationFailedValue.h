// The value a calculation output holds when the computation failed; every failure makes a new one. Carried in a
// Value as an object; readers recognise it by type. Immutable; safe from any thread.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::brl {

class CalculationFailedValue : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.brl.CalculationFailedValue";

  // "<Calculation Failed>" from the bundle, looked up once.
  std::string toString() const override;
  std::string getClassName() const override { return kClassName; }

  // Whether value carries a CalculationFailedValue.
  static bool isIn(const plat::lang::Value& value) {
    return value.is(plat::lang::Value::Kind::Object) &&
           plat::lang::refCast<CalculationFailedValue>(value.getObject()) != nullptr;
  }
};

}  // namespace quenlora::zafoli::db::beans::brl
