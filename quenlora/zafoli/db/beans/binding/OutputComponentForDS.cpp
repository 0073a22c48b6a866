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
  const plat::lang::Ref<plat::lang::Object> output = heldOutput();  // keeps the source alive for the call
  BasicDataSource* source = sourceOf(output);
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
  const plat::lang::Ref<plat::lang::Object> output = heldOutput();
  if (BasicDataSource* source = sourceOf(output)) source->setValue(value, row, col);
}

BasicDataSource* OutputComponentForDS::sourceOf(const plat::lang::Ref<plat::lang::Object>& output) {
  if (!output) return nullptr;
  // The weak reference pins the output's control block, so an equal owner and address is the same object.
  const bool same = output.get() == castObject_ && !castOwner_.expired() && !castOwner_.owner_before(output) &&
                    !output.owner_before(castOwner_);
  if (!same) {
    castSource_ = dynamic_cast<BasicDataSource*>(output.get());
    castObject_ = output.get();
    castOwner_ = output;
  }
  return castSource_;
}

}  // namespace quenlora::zafoli::db::beans::binding
