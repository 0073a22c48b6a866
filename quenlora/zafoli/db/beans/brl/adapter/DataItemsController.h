// A rule adapter's member of the data bus (ComputedColAdapter$DataItemsController): it follows the data items its
// adapter's bus-fed members are bound to and feeds their values in. Each producer name is followed once, however
// often it is announced; a revoked producer is let go and looked up again on its next announcement. It publishes
// nothing. Make it with makeRef, then start(). Every operation may be called from any thread (one lock guards the
// state; the bus, items and the adapter are called outside it).
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/beans/VetoableChangeSupport.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusEventListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusMember.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedListener.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

class ComputedColAdapter;

class DataItemsController : public plat::lang::Object,
                            public beans::binding::databus::DataBusMember,
                            public beans::binding::databus::DataBusEventListener,
                            public beans::binding::databus::DataItemChangedListener {
 public:
  explicit DataItemsController(plat::lang::WeakRef<ComputedColAdapter> adapter);

  // Joins the bus outside design time.
  void start();
  // Stops listening to the items and the bus and leaves it.
  void shutDown();
  // Remembers name once and looks it up now.
  void addProducer(const std::string& name);
  // Forgets (and stops listening to) every producer not named in names.
  void retainProducers(const std::vector<std::string>& names);
  // Whether the controller currently listens to the item of name.
  bool isListeningTo(const std::string& name) const;
  // The current value of the followed item of name; null when the item is not found yet or holds no value.
  plat::lang::Value currentValue(const std::string& name) const;

  plat::lang::Ref<beans::binding::databus::DataBus> getDataBus() const override;
  void setDataBus(const plat::lang::Ref<beans::binding::databus::DataBus>& bus) override;
  void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) override;
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener) override;
  void handleDataBusEvent(const beans::binding::databus::DataBusEvent& event) override;
  void requestDataItem(beans::binding::databus::DataBusEvent& event) override;
  void notifyDataItemChanged(const beans::binding::databus::DataItemChangedEvent& event) override;

  std::string getClassName() const override {
    return "quenlora.zafoli.db.beans.brl.adapter.ComputedColAdapter$DataItemsController";
  }

 private:
  struct Producer {
    std::string name;
    std::string alias;
    std::string column;
    plat::lang::Ref<beans::binding::databus::DataItem> item;  // null while not found
  };

  void joinIfNeeded();
  // Looks name up and listens to what is found, unless an item of it is already followed.
  void lookUp(const std::string& name);
  template <class T>
  plat::lang::Ref<T> self() {
    return std::dynamic_pointer_cast<T>(shared_from_this());
  }

  plat::lang::WeakRef<ComputedColAdapter> adapter_;  // back reference to the owning adapter
  plat::beans::VetoableChangeSupport vetoes_;
  mutable std::mutex mutex_;
  plat::lang::Ref<beans::binding::databus::DataBus> bus_;  // guarded by mutex_
  bool joined_ = false;                                    // guarded by mutex_
  std::vector<Producer> producers_;                        // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
