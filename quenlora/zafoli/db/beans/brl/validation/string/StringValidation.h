// The validation that compares two texts (equals, contains). An empty source, operator or target list holds
// at once; later entries are ignored. One thread at a time.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/brl/Validation.h"
#include "quenlora/zafoli/db/beans/brl/validation/ValidationHelper.h"

namespace quenlora::zafoli::db::beans::brl::validation::string {

class StringValidation : public plat::lang::Object, public Validation {
 public:
  static constexpr const char* NAME = "quenlora.zafoli.db.beans.brl.validation.string.StringValidation";

  void validate(const ValidationRow& row) override;
  // "( {column/constant} {operator} {column/constant} )" from the rule bundle.
  std::string getDisplayString() const override;
  std::string getClassName() const override { return NAME; }

 private:
  ValidationHelper helper_;
};

}  // namespace quenlora::zafoli::db::beans::brl::validation::string
