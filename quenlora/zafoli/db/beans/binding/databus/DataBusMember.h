// A component that belongs to the data bus. The bus hands itself over through setDataBus(), where a member that
// accepts it registers itself as a listener of that bus; a member may refuse by throwing PropertyVetoException.
// A member that is also a DataBusEventListener is asked when items are requested.
#pragma once

#include "platform/beans/PropertyVetoException.h"
#include "platform/beans/VetoableChangeListener.h"
#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataBus;

class DataBusMember {
 public:
  virtual ~DataBusMember() = default;
  virtual plat::lang::Ref<DataBus> getDataBus() const = 0;
  virtual void setDataBus(const plat::lang::Ref<DataBus>& bus) = 0;
  virtual void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) = 0;
  virtual void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
