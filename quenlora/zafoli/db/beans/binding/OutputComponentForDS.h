// The output component of a data source: the descriptors "getValue(Row,Col)" and "setValue(Value,Row,Col)" call
// the source's cell access directly (values pass unchanged, empty ones included); any other descriptors go
// through the class registry as for any output.
#pragma once

#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"

namespace quenlora::zafoli::db::beans::binding {

class BasicDataSource;

class OutputComponentForDS : public OutputComponent {
 public:
  static constexpr const char* GetDescriptor = "getValue(Row,Col)";
  static constexpr const char* SetDescriptor = "setValue(Value,Row,Col)";

  bool setSetMethods(const std::vector<std::string>& descriptors) override;
  bool setGetMethods(const std::vector<std::string>& descriptors) override;
  plat::lang::Value getPrintOut(int row, int col) override;
  void setPrintOut(const plat::lang::Value& value, int row, int col) override;
  using OutputComponent::getPrintOut;
  using OutputComponent::setPrintOut;

  // Whether reading or writing goes to the source directly.
  bool isBDS() const { return directGet_ || directSet_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.OutputComponentForDS"; }

 private:
  bool directGet_ = false;  // guarded by monitor_
  bool directSet_ = false;  // guarded by monitor_

  // The output as a data source, cast once per output; the caller holds monitor_ and keeps output alive.
  BasicDataSource* sourceOf(const plat::lang::Ref<plat::lang::Object>& output);

  // guarded by monitor_: the output last cast and the result
  plat::lang::WeakRef<plat::lang::Object> castOwner_;
  const plat::lang::Object* castObject_ = nullptr;
  BasicDataSource* castSource_ = nullptr;
};

}  // namespace quenlora::zafoli::db::beans::binding
