#include "quenlora/zafoli/db/beans/binding/DataSynchronizer.h"

#include "platform/beans/Beans.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"

namespace quenlora::zafoli::db::beans::binding {

using plat::lang::Ref;
using plat::lang::Value;

Ref<DataSynchronizer> DataSynchronizer::create(const std::string& sourceName, const std::string& targetName) {
  auto synchronizer = plat::lang::makeRef<DataSynchronizer>();
  synchronizer->setSourceDataItem(sourceName);
  synchronizer->setTargetDataItem(targetName);
  return synchronizer;
}

Ref<Mediator> DataSynchronizer::bind(Ref<Mediator>& slot, const std::string& name, const char* setter,
                                     const char* getter) {
  Ref<Mediator> mediator;
  {
    std::lock_guard lock(mutex_);
    if (!slot) slot = plat::lang::makeRef<Mediator>();
    mediator = slot;
  }
  mediator->setOutput(shared_from_this());
  mediator->setDataBinding(name);
  mediator->setSetMethods({setter});
  mediator->setGetMethods({getter});
  return mediator;
}

void DataSynchronizer::setSourceDataItem(const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    sourceDataItemName = name;
  }
  if (plat::beans::Beans::isDesignTime() || name.empty()) return;
  try {
    bind(source_, name, "setSourceValue(value)", "getSourceValue()");
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::out().println(e.toString());
  }
}

void DataSynchronizer::setTargetDataItem(const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    targetDataItemName = name;
  }
  if (plat::beans::Beans::isDesignTime() || name.empty()) return;
  try {
    bind(target_, name, "setTargetValue(value)", "getTargetValue()");
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::err().println(e.toString());
  }
}

std::string DataSynchronizer::getSourceDataItem() const {
  std::lock_guard lock(mutex_);
  return sourceDataItemName;
}

std::string DataSynchronizer::getTargetDataItem() const {
  std::lock_guard lock(mutex_);
  return targetDataItemName;
}

Value DataSynchronizer::getSourceValue() const {
  std::lock_guard lock(mutex_);
  return sourceValue;
}

void DataSynchronizer::setSourceValue(const Value& value) {
  Ref<Mediator> target;
  {
    std::lock_guard lock(mutex_);
    sourceValue = value;
    targetValue = value;
    target = target_;
  }
  if (target) target->commit();
}

Value DataSynchronizer::getTargetValue() const {
  std::lock_guard lock(mutex_);
  return sourceValue;
}

void DataSynchronizer::setTargetValue(const Value&) {}

Ref<Mediator> DataSynchronizer::getSourceMediator() const {
  std::lock_guard lock(mutex_);
  return source_;
}

Ref<Mediator> DataSynchronizer::getTargetMediator() const {
  std::lock_guard lock(mutex_);
  return target_;
}

void DataSynchronizer::registerClass(plat::runvale::ClassRegistry& registry) {
  registry.registerClass({kClassName, [] { return plat::lang::makeRef<DataSynchronizer>(); }, {}, ""});
  auto self = [](plat::lang::Object& target) -> DataSynchronizer& { return dynamic_cast<DataSynchronizer&>(target); };
  registry.addMethod(
      kClassName, {"getSourceValue", {}, "java.lang.Object", [self](plat::lang::Object& t, const std::vector<Value>&) {
                     return self(t).getSourceValue();
                   }});
  registry.addMethod(
      kClassName,
      {"setSourceValue", {"java.lang.Object"}, "void", [self](plat::lang::Object& t, const std::vector<Value>& args) {
         self(t).setSourceValue(args.at(0));
         return Value();
       }});
  registry.addMethod(
      kClassName, {"getTargetValue", {}, "java.lang.Object", [self](plat::lang::Object& t, const std::vector<Value>&) {
                     return self(t).getTargetValue();
                   }});
  registry.addMethod(
      kClassName,
      {"setTargetValue", {"java.lang.Object"}, "void", [self](plat::lang::Object& t, const std::vector<Value>& args) {
         self(t).setTargetValue(args.at(0));
         return Value();
       }});
}

}  // namespace quenlora::zafoli::db::beans::binding
