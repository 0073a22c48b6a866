// The output component of a projection bean: the descriptors "getData()" and "setData(Value)" call the bean's
// own operations directly; any other descriptors go through the class registry as for any output.
#pragma once

#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/OutputComponent.h"

namespace quenlora::zafoli::db::beans::binding {

class OutputComponentForProj : public OutputComponent {
 public:
  static constexpr const char* GetDescriptor = "getData()";
  static constexpr const char* SetDescriptor = "setData(Value)";

  bool setSetMethods(const std::vector<std::string>& descriptors) override;
  bool setGetMethods(const std::vector<std::string>& descriptors) override;
  plat::lang::Value getPrintOut(int row, int col) override;
  void setPrintOut(const plat::lang::Value& value, int row, int col) override;
  using OutputComponent::getPrintOut;
  using OutputComponent::setPrintOut;

  // Whether reading or writing goes to the bean directly.
  bool isProj() const { return directGet_ || directSet_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.OutputComponentForProj"; }

 private:
  bool directGet_ = false;  // guarded by monitor_
  bool directSet_ = false;  // guarded by monitor_
};

}  // namespace quenlora::zafoli::db::beans::binding
