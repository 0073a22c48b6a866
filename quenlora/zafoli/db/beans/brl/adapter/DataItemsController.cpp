#include "quenlora/zafoli/db/beans/brl/adapter/DataItemsController.h"

#include <algorithm>

#include "platform/beans/Beans.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapter.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

using beans::binding::Name;
using beans::binding::databus::DataBus;
using beans::binding::databus::DataBusEvent;
using beans::binding::databus::DataItem;
using beans::binding::databus::DataItemChangedListener;
using plat::lang::Ref;

namespace {

bool holdsColumn(const std::string& columns, const std::string& column) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = columns.find(',', start);
    if (columns.compare(start, comma == std::string::npos ? std::string::npos : comma - start, column) == 0)
      return true;
    if (comma == std::string::npos) return false;
    start = comma + 1;
  }
}

}  // namespace

DataItemsController::DataItemsController(plat::lang::WeakRef<ComputedColAdapter> adapter)
    : adapter_(std::move(adapter)), vetoes_(this) {}

void DataItemsController::start() {
  if (!plat::beans::Beans::isDesignTime()) joinIfNeeded();
}

void DataItemsController::joinIfNeeded() {
  {
    std::lock_guard lock(mutex_);
    if (bus_ || joined_) return;
    joined_ = true;
  }
  DataBus::joinDataBus(self<DataBusMember>());
}

void DataItemsController::shutDown() {
  std::vector<Ref<DataItem>> items;
  Ref<DataBus> bus;
  {
    std::lock_guard lock(mutex_);
    for (auto& producer : producers_) {
      if (producer.item) items.push_back(std::move(producer.item));
    }
    producers_.clear();
    bus = std::move(bus_);
    bus_.reset();
    joined_ = false;
  }
  for (const auto& item : items) item->removeDataItemChangedListener(self<DataItemChangedListener>());
  if (bus) bus->removeDataBusEventListener(self<beans::binding::databus::DataBusEventListener>());
  DataBus::leaveDataBus(self<DataBusMember>());
}

void DataItemsController::addProducer(const std::string& name) {
  {
    std::lock_guard lock(mutex_);
    const bool known =
        std::any_of(producers_.begin(), producers_.end(), [&](const Producer& p) { return p.name == name; });
    if (!known) producers_.push_back(Producer{name, Name::getTableName(name), Name::getFieldName(name), nullptr});
  }
  if (plat::beans::Beans::isDesignTime()) return;
  joinIfNeeded();
  lookUp(name);
}

void DataItemsController::retainProducers(const std::vector<std::string>& names) {
  std::vector<Ref<DataItem>> dropped;
  {
    std::lock_guard lock(mutex_);
    auto kept = std::stable_partition(producers_.begin(), producers_.end(), [&](const Producer& p) {
      return std::find(names.begin(), names.end(), p.name) != names.end();
    });
    for (auto it = kept; it != producers_.end(); ++it) {
      if (it->item) dropped.push_back(std::move(it->item));
    }
    producers_.erase(kept, producers_.end());
  }
  for (const auto& item : dropped) item->removeDataItemChangedListener(self<DataItemChangedListener>());
}

bool DataItemsController::isListeningTo(const std::string& name) const {
  std::lock_guard lock(mutex_);
  return std::any_of(producers_.begin(), producers_.end(),
                     [&](const Producer& p) { return p.name == name && p.item != nullptr; });
}

plat::lang::Value DataItemsController::currentValue(const std::string& name) const {
  Ref<DataItem> item;
  {
    std::lock_guard lock(mutex_);
    for (const auto& producer : producers_) {
      if (producer.name == name && producer.item) item = producer.item;
    }
  }
  auto* access = dynamic_cast<beans::binding::databus::ImmediateAccess*>(item.get());
  return access != nullptr ? access->getValueAsObject() : plat::lang::Value();
}

void DataItemsController::lookUp(const std::string& name) {
  Ref<DataBus> bus = getDataBus();
  if (!bus) return;
  {
    std::lock_guard lock(mutex_);
    for (const auto& producer : producers_) {
      // Listening twice would feed every change twice.
      if (producer.name == name && producer.item) return;
    }
  }
  Ref<DataItem> item = bus->findDataItem(name, this);
  if (!item) return;
  {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(producers_.begin(), producers_.end(), [&](const Producer& p) { return p.name == name; });
    if (it == producers_.end() || it->item) return;
    it->item = item;
  }
  item->addDataItemChangedListener(self<DataItemChangedListener>());
}

Ref<DataBus> DataItemsController::getDataBus() const {
  std::lock_guard lock(mutex_);
  return bus_;
}

void DataItemsController::setDataBus(const Ref<DataBus>& bus) {
  const Ref<DataBus> old = getDataBus();
  vetoes_.fireVetoableChange("dataBus", plat::lang::Value(old), plat::lang::Value(bus));
  {
    std::lock_guard lock(mutex_);
    bus_ = bus;
  }
  if (bus) bus->addDataBusEventListener(self<beans::binding::databus::DataBusEventListener>());
}

void DataItemsController::addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  std::lock_guard lock(mutex_);
  vetoes_.addVetoableChangeListener(listener);
}

void DataItemsController::removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  std::lock_guard lock(mutex_);
  vetoes_.removeVetoableChangeListener(listener);
}

void DataItemsController::handleDataBusEvent(const DataBusEvent& event) {
  if (event.getSource() == this) return;
  const std::string& announced = event.getDataItemName();
  if (event.getEventType() == DataBusEvent::DATA_AVAILABLE) {
    const std::string alias = Name::getTableName(announced);
    const std::string columns = Name::getFieldName(announced);
    std::vector<std::string> matching;
    {
      std::lock_guard lock(mutex_);
      for (const auto& producer : producers_) {
        if (!producer.alias.empty() && producer.alias == alias && holdsColumn(columns, producer.column)) {
          matching.push_back(producer.name);
        }
      }
    }
    for (const auto& name : matching) lookUp(name);
  } else if (event.getEventType() == DataBusEvent::DATA_REVOKED) {
    // The provider's items are dead; the controller stays on the bus to find their successors when announced.
    std::vector<Ref<DataItem>> dropped;
    {
      std::lock_guard lock(mutex_);
      for (auto& producer : producers_) {
        const bool revoked = announced == producer.alias || announced == producer.name ||
                             announced.rfind(producer.name + Name::SizeSeparator, 0) == 0;
        if (revoked && producer.item) dropped.push_back(std::move(producer.item));
      }
    }
    for (const auto& item : dropped) item->removeDataItemChangedListener(self<DataItemChangedListener>());
  }
}

void DataItemsController::requestDataItem(DataBusEvent&) {}

void DataItemsController::notifyDataItemChanged(const beans::binding::databus::DataItemChangedEvent& event) {
  std::vector<std::string> names;
  Ref<DataItem> item;
  {
    std::lock_guard lock(mutex_);
    for (const auto& producer : producers_) {
      if (producer.item && producer.item.get() == event.getSource()) {
        names.push_back(producer.name);
        item = producer.item;
      }
    }
  }
  auto* access = dynamic_cast<beans::binding::databus::ImmediateAccess*>(item.get());
  Ref<ComputedColAdapter> adapter = adapter_.lock();
  if (access == nullptr || !adapter) return;
  const plat::lang::Value value = access->getValueAsObject();
  for (const auto& name : names) adapter->feedDataItem(name, value);
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
