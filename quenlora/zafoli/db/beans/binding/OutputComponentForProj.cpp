#include "quenlora/zafoli/db/beans/binding/OutputComponentForProj.h"

#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/awt/ProjectionBean.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"

namespace quenlora::zafoli::db::beans::binding {

namespace {

using plat::lang::Value;
using plat::thread::Synchronized;

}  // namespace

bool OutputComponentForProj::setSetMethods(const std::vector<std::string>& descriptors) {
  bool direct = !descriptors.empty() && descriptors.front() == SetDescriptor;
  {
    Synchronized lock(monitor_);
    directSet_ = direct;
    if (direct) setMethFullName = descriptors;
  }
  return direct || OutputComponent::setSetMethods(descriptors);
}

bool OutputComponentForProj::setGetMethods(const std::vector<std::string>& descriptors) {
  bool direct = !descriptors.empty() && descriptors.front() == GetDescriptor;
  {
    Synchronized lock(monitor_);
    directGet_ = direct;
    if (direct) getMethFullName = descriptors;
  }
  return direct || OutputComponent::setGetMethods(descriptors);
}

Value OutputComponentForProj::getPrintOut(int row, int col) {
  Synchronized lock(monitor_);
  if (!directGet_) return OutputComponent::getPrintOut(row, col);
  if (col == Name::ColumnNotFoundField) return Value(ColumnNotFoundString);
  auto bean = std::dynamic_pointer_cast<awt::ProjectionBean>(getOutput());
  Value value = bean ? bean->getData() : Value();
  learnInputClass(value);
  return emptyAsConfigured(value);
}

void OutputComponentForProj::setPrintOut(const Value& value, int row, int col) {
  Synchronized lock(monitor_);
  if (!directSet_) {
    OutputComponent::setPrintOut(value, row, col);
    return;
  }
  if (col < 0) return;
  auto bean = std::dynamic_pointer_cast<awt::ProjectionBean>(getOutput());
  if (!bean) return;
  if (getInputClass().empty() && value.isNull()) {
    // The bean tells what it holds once given an empty text.
    std::string learned = ObjectClass;
    try {
      bean->setData(Value(std::string()));
      Value held = bean->getData();
      if (!held.isNull()) learned = held.getClassName();
    } catch (const plat::lang::Throwable&) {
      learned = ObjectClass;
    }
    setInputClass(learned);
  }
  bean->setData(isStringClass() ? Value(value.isNull() ? std::string() : value.toString()) : value);
}

}  // namespace quenlora::zafoli::db::beans::binding
