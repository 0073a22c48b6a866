// The process-wide rendezvous of data items: providers announce named items, consumers ask for an item by binding
// name and the first member that answers wins. Members (in join order) and listeners (in registration order) are
// shared by the whole process and held until they leave or are removed. Every operation may be called from any
// thread: the lists are copied under one class-wide lock and members and listeners are called outside it, so a
// member may join, leave, register or ask while it is being called; such changes take effect from the next walk.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusEventListener.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBusMember.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataBus : public plat::lang::Object {
 public:
  DataBus(const DataBus&) = delete;
  DataBus& operator=(const DataBus&) = delete;

  // Hands member the process's bus (made on the first join; a member that still holds a bus from before
  // initialize() brings that one back), ignoring a veto, and appends it to the members: twice joined, twice listed.
  static void joinDataBus(const plat::lang::Ref<DataBusMember>& member);
  // Removes the member's first entry. It stays a listener: a leaving component removes itself as one first.
  static void leaveDataBus(const plat::lang::Ref<DataBusMember>& member);
  // Forgets the bus, its members and its listeners; the next join makes a fresh bus.
  static void initialize();

  void addDataBusEventListener(const plat::lang::Ref<DataBusEventListener>& listener);
  // Removes the listener's first registration.
  void removeDataBusEventListener(const plat::lang::Ref<DataBusEventListener>& listener);

  // Tells the listeners registered when the call began of an available or revoked item, in registration order.
  // They receive a copy of event that carries no item: whoever wants it asks for it by name.
  void announceDataItem(const DataBusEvent& event);
  // Asks the members in join order for name; the first answer, or null. asker is the event's source.
  plat::lang::Ref<DataItem> findDataItem(const std::string& name, plat::lang::Object* asker);
  // Asks every member once, in join order; every answer in member order.
  std::vector<plat::lang::Ref<DataItem>> findAllDataItems(const std::string& name, plat::lang::Object* asker);
  // Asks the members with the caller's own request; the first answer stays in event.
  void findDataItem(DataBusEvent& event);

  bool getDebug() const { return debug_.load(); }
  void setDebug(bool debug) { debug_.store(debug); }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.databus.DataBus"; }

 private:
  DataBus() = default;

  std::atomic<bool> debug_{false};
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
