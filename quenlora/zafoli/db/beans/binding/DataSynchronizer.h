// Copies the value of one named data item into another, one way: a consumer mediator on each item, both with this
// object as their output. A change of the source item reaches setSourceValue(), which makes the target mediator
// commit the same value into the target item. Make it with makeRef (or create()). Runs on the thread that changes
// the source item; its values are guarded.
#pragma once

#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::binding {

class DataSynchronizer : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.binding.DataSynchronizer";

  DataSynchronizer() = default;
  DataSynchronizer(const DataSynchronizer&) = delete;
  DataSynchronizer& operator=(const DataSynchronizer&) = delete;

  static plat::lang::Ref<DataSynchronizer> create(const std::string& sourceName, const std::string& targetName);

  // Outside a designer, a name that is not empty binds the mediator of that side to this object; a failure is
  // printed (the source side's on standard output, the target side's on standard error).
  void setSourceDataItem(const std::string& name);
  void setTargetDataItem(const std::string& name);
  std::string getSourceDataItem() const;
  std::string getTargetDataItem() const;

  plat::lang::Value getSourceValue() const;
  // Takes the value as source and target value and makes the target mediator commit it.
  void setSourceValue(const plat::lang::Value& value);
  // The value the target item is to take: the source value.
  plat::lang::Value getTargetValue() const;
  // Ignores what it is given: the copy runs one way only.
  void setTargetValue(const plat::lang::Value& value);

  plat::lang::Ref<Mediator> getSourceMediator() const;
  plat::lang::Ref<Mediator> getTargetMediator() const;

  std::string getClassName() const override { return kClassName; }

  // Registers the class and the four value methods its mediators call by descriptor.
  static void registerClass(plat::runvale::ClassRegistry& registry);

 private:
  plat::lang::Ref<Mediator> bind(plat::lang::Ref<Mediator>& slot, const std::string& name, const char* setter,
                                 const char* getter);

  mutable std::mutex mutex_;
  std::string sourceDataItemName;     // guarded by mutex_
  std::string targetDataItemName;     // guarded by mutex_
  plat::lang::Ref<Mediator> source_;  // guarded by mutex_
  plat::lang::Ref<Mediator> target_;  // guarded by mutex_
  plat::lang::Value sourceValue;      // guarded by mutex_
  plat::lang::Value targetValue;      // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
