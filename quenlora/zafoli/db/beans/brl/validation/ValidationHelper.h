// The engine of the built-in validations: converts a source and a target, compares them with one operator and
// answers true or false. An input that cannot be converted or compared makes the validation not performed: a log
// entry under "Exception while validating data", one dialog of the three joined advice texts, then
// ValidationException(VALIDATION_NOT_PERFORMED). An input that is a failed calculation is not performed
// quietly (its failure was already logged). One helper per validation object; one thread at a time.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/brl/CompColMember.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/brl/derivation/DerivationHelper.h"

namespace quenlora::zafoli::db::beans::brl::validation {

class ValidationHelper : public derivation::DerivationHelper {
 public:
  // The value of a constant or bound member; null for any other member.
  static plat::lang::Value getObjectValue(const CompColMember* member);
  // The text of that value; empty for null.
  static std::optional<std::string> getStringValue(const CompColMember* member);
  // The first source, operator and target of a built-in comparison.
  struct Comparison {
    plat::lang::Value source;
    std::string op;
    plat::lang::Value target;
  };
  // None when the row lacks a source, an operator or a target (nothing to check); throws the quiet not-performed
  // exception when either value is a CalculationFailedValue.
  static std::optional<Comparison> comparisonOf(const ValidationRow& row);
  // The display template the built-in comparisons share.
  static const std::string& comparisonTemplate();

  // A null source is simply false.
  bool validateNumber(const plat::lang::Value& source, const std::string& op, const plat::lang::Value& target);
  bool validateString(const std::optional<std::string>& source, const std::string& op,
                      const std::optional<std::string>& target);
  // Equal when the instants (ms) are equal and, for two timestamps, the nanoseconds too; after and before compare
  // in the same terms. An SQL date stands for its local midnight.
  bool validateDate(const plat::lang::Value& source, const std::string& op, const plat::lang::Value& target);
  // The target text is first converted to an SQL date.
  bool validateDate(const plat::lang::Value& source, const std::string& op, const std::string& target);

 private:
  [[noreturn]] void notPerformed(const std::string& message);
};

}  // namespace quenlora::zafoli::db::beans::brl::validation
