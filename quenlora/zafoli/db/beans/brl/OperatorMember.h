// A comparison operator of a validation row, such as ">" or "contains"; value and text are its name. Immutable
// once made.
#pragma once

#include "quenlora/zafoli/db/beans/brl/CompColMember.h"

namespace quenlora::zafoli::db::beans::brl {

class OperatorMember : public CompColMember {
 public:
  OperatorMember() = default;
  explicit OperatorMember(std::optional<std::string> name) : operatorName_(std::move(name)) {}

  plat::lang::Value getValue() const override {
    return operatorName_ ? plat::lang::Value(*operatorName_) : plat::lang::Value();
  }
  std::optional<std::string> toString() const override { return operatorName_; }

 private:
  std::optional<std::string> operatorName_;
};

}  // namespace quenlora::zafoli::db::beans::brl
