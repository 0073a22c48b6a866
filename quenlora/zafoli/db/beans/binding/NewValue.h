// An unchangeable one-value item that hands a value to MutableImmediateAccess::setValue(). Listeners are accepted
// and never called. Immutable, so safe from any thread.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"

namespace quenlora::zafoli::db::beans::binding {

class NewValue : public databus::ImmediateAccess {
 public:
  explicit NewValue(plat::lang::Value value) : m_Value(std::move(value)) {}

  std::string getPresentationString() const override { return "String"; }
  plat::lang::Value getValueAsObject() const override { return m_Value; }
  std::optional<std::string> getValueAsString() const override;
  void addDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>&) override {}
  void removeDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>&) override {}

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.NewValue"; }

 private:
  const plat::lang::Value m_Value;
};

}  // namespace quenlora::zafoli::db::beans::binding
