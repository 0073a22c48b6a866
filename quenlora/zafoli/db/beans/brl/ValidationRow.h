// The row handed to a validation: sources, comparison operators and targets, each ordered and counted from 1. The
// built-in validations read position 1 of each list; further entries are carried. One thread at a time.
#pragma once

#include "quenlora/zafoli/db/beans/brl/ComputeRow.h"
#include "quenlora/zafoli/db/beans/brl/OperatorMember.h"

namespace quenlora::zafoli::db::beans::brl {

class ValidationRow : public ComputeRow {
 public:
  using OperatorRef = std::shared_ptr<OperatorMember>;

  void addComparisionOperator(OperatorRef op) { operators_.push_back(std::move(op)); }
  void removeComparisionOperator(const OperatorRef& op) { removeOne(operators_, op); }
  void removeAllComparisionOperators() { operators_.clear(); }
  int getNumberOfOperators() const { return static_cast<int>(operators_.size()); }
  OperatorRef getOperatorAt(int position) const { return at(operators_, position); }

  void addTargetColumnMember(InputRef member) { targets_.push_back(std::move(member)); }
  void removeTargetColumnMember(const InputRef& member) { removeOne(targets_, member); }
  void removeAllTargetColumnMembers() { targets_.clear(); }
  int getNumberOfTargetColumns() const { return static_cast<int>(targets_.size()); }
  InputRef getTargetColumnMember(int position) const { return at(targets_, position); }
  InputRef getTargetColumnMember(const std::string& text) const { return find(targets_, text); }
  const std::vector<InputRef>& targetMembers() const { return targets_; }

 private:
  std::vector<OperatorRef> operators_;
  std::vector<InputRef> targets_;
};

}  // namespace quenlora::zafoli::db::beans::brl
