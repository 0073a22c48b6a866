#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <mutex>
#include <utility>

#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding::databus {

namespace {

using plat::lang::Ref;

struct Member {
  Ref<DataBusMember> member;
  Ref<DataBusEventListener> asked;  // the member as a listener of requests; null when it is none
};

// The lists are immutable snapshots replaced whole on every change, so a walk takes its copy under the lock by
// taking a reference to the current snapshot.
using Members = std::vector<Member>;
using Listeners = std::vector<Ref<DataBusEventListener>>;

struct ClassState {
  std::mutex mutex;
  Ref<DataBus> bus;                                                      // guarded by mutex; null before the first join
  std::shared_ptr<const Members> members = std::make_shared<Members>();  // guarded by mutex; join order
  std::shared_ptr<const Listeners> listeners = std::make_shared<Listeners>();  // guarded by mutex; registration order
};

ClassState& classState() {
  static ClassState* state = new ClassState();  // lives until the process ends
  return *state;
}

std::shared_ptr<const Members> membersNow() {
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.members;
}

std::shared_ptr<const Listeners> listenersNow() {
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  return state.listeners;
}

}  // namespace

void DataBus::joinDataBus(const Ref<DataBusMember>& member) {
  if (!member) return;
  // The member is called without the lock: in setDataBus it registers itself on the bus, which takes it.
  Ref<DataBus> own = member->getDataBus();
  Ref<DataBus> bus;
  {
    ClassState& state = classState();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (!state.bus) state.bus = own ? own : Ref<DataBus>(new DataBus());
    bus = state.bus;
  }
  try {
    member->setDataBus(bus);
  } catch (const plat::beans::PropertyVetoException&) {
    // A refusal does not keep the member out of the list.
  }
  Member entry{member, std::dynamic_pointer_cast<DataBusEventListener>(member)};
  std::shared_ptr<const Members> replaced;  // released after the lock
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  auto grown = std::make_shared<Members>(*state.members);
  grown->push_back(std::move(entry));
  replaced = std::exchange(state.members, std::move(grown));
}

void DataBus::leaveDataBus(const Ref<DataBusMember>& member) {
  std::shared_ptr<const Members> replaced;  // released after the lock
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  const Members& now = *state.members;
  auto it = std::find_if(now.begin(), now.end(), [&](const Member& entry) { return entry.member == member; });
  if (it == now.end()) return;
  auto shrunk = std::make_shared<Members>(now.begin(), it);
  shrunk->insert(shrunk->end(), std::next(it), now.end());
  replaced = std::exchange(state.members, std::move(shrunk));
}

void DataBus::initialize() {
  // The old entries are released after the lock, should a member's destructor touch the bus.
  std::shared_ptr<const Members> members;
  std::shared_ptr<const Listeners> listeners;
  Ref<DataBus> bus;
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  bus = std::exchange(state.bus, nullptr);
  members = std::exchange(state.members, std::make_shared<Members>());
  listeners = std::exchange(state.listeners, std::make_shared<Listeners>());
}

void DataBus::addDataBusEventListener(const Ref<DataBusEventListener>& listener) {
  if (!listener) return;
  std::shared_ptr<const Listeners> replaced;  // released after the lock
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  auto grown = std::make_shared<Listeners>(*state.listeners);
  grown->push_back(listener);
  replaced = std::exchange(state.listeners, std::move(grown));
}

void DataBus::removeDataBusEventListener(const Ref<DataBusEventListener>& listener) {
  std::shared_ptr<const Listeners> replaced;  // released after the lock
  ClassState& state = classState();
  std::lock_guard<std::mutex> lock(state.mutex);
  const Listeners& now = *state.listeners;
  auto it = std::find(now.begin(), now.end(), listener);
  if (it == now.end()) return;
  auto shrunk = std::make_shared<Listeners>(now.begin(), it);
  shrunk->insert(shrunk->end(), std::next(it), now.end());
  replaced = std::exchange(state.listeners, std::move(shrunk));
}

void DataBus::announceDataItem(const DataBusEvent& event) {
  if (getDebug()) {
    plat::lang::System::err().println("Event type pressed: " + std::to_string(event.getEventType()) +
                                      " , for the data item: " + event.getDataItemName() +
                                      " from: " + event.toString());
  }
  std::shared_ptr<const Listeners> listeners = listenersNow();
  try {
    const DataBusEvent announced(event.getEventType(), event.getDataItemName(), event.getSource());
    for (const auto& listener : *listeners) listener->handleDataBusEvent(announced);
  } catch (const InvalidType& failure) {
    plat::lang::System::err().println("Exception: " + failure.getMessage());
  }
}

Ref<DataItem> DataBus::findDataItem(const std::string& name, plat::lang::Object* asker) {
  DataBusEvent request(DataBusEvent::DATA_REQUEST, name, asker);
  findDataItem(request);
  return request.getDataItem();
}

std::vector<Ref<DataItem>> DataBus::findAllDataItems(const std::string& name, plat::lang::Object* asker) {
  DataBusEvent request(DataBusEvent::DATA_REQUEST, name, asker);
  std::vector<Ref<DataItem>> answers;
  std::shared_ptr<const Members> members = membersNow();
  for (const Member& entry : *members) {
    if (!entry.asked) continue;
    entry.asked->requestDataItem(request);
    if (request.getDataItem()) {
      answers.push_back(request.getDataItem());
      request.setDataItem(nullptr);
    }
  }
  return answers;
}

void DataBus::findDataItem(DataBusEvent& event) {
  std::shared_ptr<const Members> members = membersNow();
  for (const Member& entry : *members) {
    if (!entry.asked) continue;
    entry.asked->requestDataItem(event);
    if (event.getDataItem()) return;
  }
}

}  // namespace quenlora::zafoli::db::beans::binding::databus
