// A bound input named alias@column: the alias is the text before the first "@", the column the text after it
// (both absent without an "@"). For source type 0 the alias names a navigator in the navigators' alias registry.
// The cached value is filled by the adapter. One thread at a time.
#pragma once

#include "quenlora/zafoli/db/beans/brl/DataBoundColMember.h"

namespace quenlora::zafoli::db::beans::brl {

class DataBusItemColMember : public DataBoundColMember {
 public:
  DataBusItemColMember(std::optional<std::string> bindName, int dataType, int sourceType)
      : dataType_(dataType), bindName_(std::move(bindName)), sourceType_(sourceType) {}
  DataBusItemColMember(std::optional<std::string> bindName, int dataType, int sourceType, int memberIndex)
      : memberIndex_(memberIndex), dataType_(dataType), bindName_(std::move(bindName)), sourceType_(sourceType) {}

  plat::lang::Value getValue() const override { return value_; }
  void setValue(plat::lang::Value value) override { value_ = std::move(value); }
  std::optional<std::string> toString() const override { return bindName_; }
  int getStatus() const override { return status_; }
  void setStatus(int status) { status_ = status; }
  int getDataType() const override { return dataType_; }
  void setDataType(int dataType) override { dataType_ = dataType; }
  int getMemberIndex() const override { return memberIndex_; }
  void setMemberIndex(int memberIndex) override { memberIndex_ = memberIndex; }

  std::optional<std::string> getAliasName() const override;
  std::optional<std::string> getBindName() const override { return bindName_; }
  void setBindName(std::optional<std::string> bindName) override { bindName_ = std::move(bindName); }
  std::optional<std::string> getColumnName() const override;
  // The navigator registered under the alias for source type 0; null otherwise.
  plat::lang::Ref<binding::QueryNavigator> getQueryNavObj() const override;
  int getSourceType() const override { return sourceType_; }
  void setSourceType(int sourceType) override { sourceType_ = sourceType; }

 private:
  int memberIndex_ = 0;
  int dataType_ = 0;
  plat::lang::Value value_;  // cached by the adapter before each run
  std::optional<std::string> bindName_;
  int sourceType_ = 0;
  int status_ = UNINITIALIZED;
};

}  // namespace quenlora::zafoli::db::beans::brl
