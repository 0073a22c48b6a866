// An input that always holds the same value; it counts as initialized from the start. One thread at a time.
#pragma once

#include "quenlora/zafoli/db/beans/brl/CompColMember.h"

namespace quenlora::zafoli::db::beans::brl {

class ConstantMember : public CompColInputMember {
 public:
  ConstantMember() = default;
  ConstantMember(plat::lang::Value value, int dataType) : dataType_(dataType), constantValue_(std::move(value)) {}
  ConstantMember(plat::lang::Value value, int dataType, int memberIndex)
      : memberIndex_(memberIndex), dataType_(dataType), constantValue_(std::move(value)) {}

  plat::lang::Value getValue() const override { return constantValue_; }
  // A copy of the constant's text; empty for a null constant.
  std::optional<std::string> toString() const override;
  int getStatus() const override { return INITIALIZED; }
  int getDataType() const override { return dataType_; }
  void setDataType(int dataType) override { dataType_ = dataType; }
  int getMemberIndex() const override { return memberIndex_; }
  void setMemberIndex(int memberIndex) override { memberIndex_ = memberIndex; }

 private:
  int memberIndex_ = 0;
  int dataType_ = 0;
  plat::lang::Value constantValue_;
};

}  // namespace quenlora::zafoli::db::beans::brl
