// The value a rule output holds while no result exists: a calculation whose inputs are not all set (rule type 3) or
// a validation that was not performed (rule type 4). Carried in a Value as an object; readers recognise it by type
// and show it as empty. Immutable; safe from any thread.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::brl {

class UnKnownColValue : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.brl.UnKnownColValue";
  static constexpr int kCalculationRuleType = 3;
  static constexpr int kValidationRuleType = 4;

  UnKnownColValue() = default;
  explicit UnKnownColValue(int ruleType) : ruleType_(ruleType) {}

  int getRuleType() const { return ruleType_; }
  // "<Validation Not Performed>" for rule type 4, "<Calculation Not Performed>" for any other, from the bundle.
  std::string toString() const override;
  std::string getClassName() const override { return kClassName; }

  // Whether value carries a UnKnownColValue.
  static bool isIn(const plat::lang::Value& value) {
    return value.is(plat::lang::Value::Kind::Object) &&
           plat::lang::refCast<UnKnownColValue>(value.getObject()) != nullptr;
  }

 private:
  int ruleType_ = kCalculationRuleType;
};

}  // namespace quenlora::zafoli::db::beans::brl
