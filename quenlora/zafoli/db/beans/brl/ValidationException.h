// The outcome of a validation that did not hold: performed (the rule was evaluated and is broken) or not performed
// (its inputs could not be evaluated). A copyable value.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/DataBindingException.h"

namespace quenlora::zafoli::db::beans::brl {

class ValidationException : public binding::DataBindingException {
 public:
  static constexpr int VALIDATION_NOT_PERFORMED = 0;
  static constexpr int VALIDATION_PERFORMED = 1;

  // The rule is broken.
  ValidationException() : validType_(VALIDATION_PERFORMED) {}
  explicit ValidationException(int type) : validType_(type) {}
  // The rule could not be evaluated.
  explicit ValidationException(std::string message)
      : binding::DataBindingException(std::move(message)), validType_(VALIDATION_NOT_PERFORMED) {}

  int getValidationType() const { return validType_; }

  PLAT_THROWABLE_MEMBERS(ValidationException, "quenlora.zafoli.db.beans.brl.ValidationException")

 private:
  int validType_;
};

}  // namespace quenlora::zafoli::db::beans::brl
