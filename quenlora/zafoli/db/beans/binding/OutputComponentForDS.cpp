#include "quenlora/zafoli/db/beans/binding/OutputComponentForDS.h"

#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using plat::lang::Value;
using plat::thread::Synchronized;

}  // namespace

bool OutputComponentForDS::setSetMethods(const std::vector<std::string>& descriptors) {
  bool direct = !descriptors.empty() && descriptors.front() == SetDescriptor;
  {
    Synchronized lock(monitor_);
    directSet_ = direct;
    if (direct) setMethFullName = descriptors;
  }
  return direct || OutputComponent::setSetMethods(descriptors);
}

bool OutputComponentForDS::setGetMethods(const std::vector<std::string>& descriptors) {
  bool direct = !descriptors.empty() && descriptors.front() == GetDescriptor;
  {
    Synchronized lock(monitor_);
    directGet_ = direct;
    if (direct) getMethFullName = descriptors;
  }
  return direct || OutputComponent::setGetMethods(descriptors);
}

Value OutputComponentForDS::getPrintOut(int row, int col) {
  Synchronized lock(monitor_);
  if (!directGet_) return OutputComponent::getPrintOut(row, col);
  if (col == Name::ColumnNotFoundField) return Value(ColumnNotFoundString);
  auto source = std::dynamic_pointer_cast<BasicDataSource>(getOutput());
  Value value = source ? source->getValue(row, col) : Value();
  learnInputClass(value);
  return value;
}

void OutputComponentForDS::setPrintOut(const Value& value, int row, int col) {
  Synchronized lock(monitor_);
  if (!directSet_) {
    OutputComponent::setPrintOut(value, row, col);
    return;
  }
  if (col < 0) return;
  if (auto source = std::dynamic_pointer_cast<BasicDataSource>(getOutput())) source->setValue(value, row, col);
}

}  // namespace quenlora::zafoli::db::beans::binding
