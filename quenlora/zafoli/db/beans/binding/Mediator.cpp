#include "quenlora/zafoli/db/beans/binding/Mediator.h"

#include "platform/beans/Beans.h"
#include "platform/beans/PropertyVetoException.h"
#include "quenlora/zafoli/db/awt/ProjectionBean.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/ItemGrid.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponentForDS.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponentForProj.h"

namespace quenlora::zafoli::db::beans::binding {

using databus::DataBus;
using databus::DataBusEvent;
using databus::DataItem;
using databus::DataItemChangedEvent;
using plat::lang::Ref;

std::atomic<bool> Mediator::notifyOnStatic{false};
std::atomic<bool> Mediator::notifySizeOnStatic{true};

namespace {

// Stands for a mediator in an item's listener list without keeping it alive.
class ItemForwarder : public databus::DataItemChangedListener {
 public:
  explicit ItemForwarder(plat::lang::WeakRef<Mediator> mediator) : mediator_(std::move(mediator)) {}
  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    if (auto mediator = mediator_.lock()) mediator->notifyDataItemChanged(event);
  }

 private:
  plat::lang::WeakRef<Mediator> mediator_;
};

// An alias takes part in matching only when it is not empty: a name without alias stands for no source.
bool sameAlias(const std::string& a, const std::string& b) {
  return !a.empty() && a == b;
}

}  // namespace

Mediator::Mediator() : vetoes_(this) {}

Mediator::~Mediator() = default;

Ref<Mediator> Mediator::create(const Ref<plat::lang::Object>& output, const std::string& dataBinding) {
  auto mediator = plat::lang::makeRef<Mediator>();
  mediator->setOutput(output);
  mediator->setDataBinding(dataBinding);
  return mediator;
}

const Ref<databus::DataItemChangedListener>& Mediator::itemListener() {
  std::lock_guard lock(mutex_);
  if (!itemListener_) itemListener_ = plat::lang::makeRef<ItemForwarder>(self<Mediator>());
  return itemListener_;
}

Ref<OutputComponent> Mediator::makeComponent(const Ref<plat::lang::Object>& output) {
  if (std::dynamic_pointer_cast<awt::ProjectionBean>(output)) return plat::lang::makeRef<OutputComponentForProj>();
  if (std::dynamic_pointer_cast<BasicDataSource>(output)) return plat::lang::makeRef<OutputComponentForDS>();
  return plat::lang::makeRef<OutputComponent>();
}

void Mediator::setOutput(const Ref<plat::lang::Object>& output) {
  // The mediator stands for its own output until it is given one.
  Ref<plat::lang::Object> target = output ? output : shared_from_this();
  Ref<OutputComponent> component = makeComponent(target);
  component->setOutput(target);
  component->setEmptyMeansNull(emptyMeansNull_.load());
  configureComponent(*component);
  const std::string binding = getDataBinding();
  std::vector<std::string> setMethods, getMethods;
  {
    std::lock_guard lock(mutex_);
    output_ = output;
    hasOutput_ = static_cast<bool>(output);
    component_ = component;
    setMethods = setMethods_;
    getMethods = getMethods_;
  }
  if (!binding.empty()) setDataBinding(binding);
  setSetMethods(setMethods);
  setGetMethods(getMethods);
}

Ref<plat::lang::Object> Mediator::getOutput() {
  std::lock_guard lock(mutex_);
  if (!hasOutput_) return shared_from_this();
  return output_.lock();
}

void Mediator::setSetMethods(const std::vector<std::string>& descriptors) {
  Ref<OutputComponent> component;
  {
    std::lock_guard lock(mutex_);
    setMethods_ = descriptors;
    component = component_;
  }
  if (!component) return;
  hasFoundSetMethod_.store(component->setSetMethods(descriptors));
  // A newly resolved output has shown nothing of the item yet, however clean the item is.
  if (hasFoundSetMethod_.load() && hasFoundDI()) writeInput(true);
}

void Mediator::setGetMethods(const std::vector<std::string>& descriptors) {
  Ref<OutputComponent> component;
  {
    std::lock_guard lock(mutex_);
    getMethods_ = descriptors;
    component = component_;
  }
  if (!component) return;
  hasFoundGetMethod_.store(component->setGetMethods(descriptors));
}

std::vector<std::string> Mediator::getSetMethods() const {
  std::lock_guard lock(mutex_);
  return setMethods_;
}

std::vector<std::string> Mediator::getGetMethods() const {
  std::lock_guard lock(mutex_);
  return getMethods_;
}

void Mediator::setDataBinding(const std::string& dataBinding) {
  bool hasComponent;
  {
    std::lock_guard lock(mutex_);
    dataBinding_ = dataBinding;
    hasComponent = static_cast<bool>(component_);
  }
  if (!hasComponent) return;
  joinIfNeeded();
  find();
}

std::string Mediator::getDataBinding() const {
  std::lock_guard lock(mutex_);
  return dataBinding_;
}

void Mediator::setEmptyMeansNull(bool emptyMeansNull) {
  emptyMeansNull_.store(emptyMeansNull);
  if (auto component = getComponent()) component->setEmptyMeansNull(emptyMeansNull);
}

void Mediator::setFormatNumbers(bool formatNumbers) {
  formatNumbers_.store(formatNumbers);
  if (formatNumbers) localizationUsed_.store(true);
}

void Mediator::setLocalizationUsed(bool localizationUsed) {
  localizationUsed_.store(localizationUsed);
  if (!localizationUsed) formatNumbers_.store(false);
}

Ref<OutputComponent> Mediator::getComponent() const {
  std::lock_guard lock(mutex_);
  return component_;
}

OutputComponent* Mediator::getOutputComponent() {
  std::lock_guard lock(mutex_);
  return component_.get();  // the component lives as long as the mediator or until the next setOutput()
}

void Mediator::joinIfNeeded() {
  {
    std::lock_guard lock(mutex_);
    if (bus_ || joined_) return;
    joined_ = true;
  }
  DataBus::joinDataBus(self<databus::DataBusMember>());
}

void Mediator::leaveBus() {
  Ref<DataBus> bus;
  {
    std::lock_guard lock(mutex_);
    bus = std::move(bus_);
    bus_.reset();
    joined_ = false;
  }
  if (bus) bus->removeDataBusEventListener(self<databus::DataBusEventListener>());
  DataBus::leaveDataBus(self<databus::DataBusMember>());
}

void Mediator::dropInput() {
  Ref<DataItem> input;
  {
    std::lock_guard lock(mutex_);
    input = std::move(input_);
    input_.reset();
    inputValue_ = nullptr;
  }
  if (input) input->removeDataItemChangedListener(itemListener());
}

void Mediator::find() {
  if (plat::beans::Beans::isDesignTime()) return;
  dropInput();
  Ref<DataBus> bus;
  std::string binding;
  Ref<OutputComponent> component;
  {
    std::lock_guard lock(mutex_);
    bus = bus_;
    binding = dataBinding_;
    component = component_;
  }
  // A mediator whose membership was refused has no bus to ask.
  if (!bus || !component) return;
  Ref<DataItem> item = bus->findDataItem(binding, this);
  if (!item) return;
  {
    std::lock_guard lock(mutex_);
    input_ = item;
    inputValue_ = dynamic_cast<databus::ImmediateAccess*>(item.get());
  }
  component->setOutputSize(ItemGrid::sizeOf(*item));
  item->addDataItemChangedListener(itemListener());
  // The provider hands its items over cleaned up: only a walk over every member shows them whole.
  writeInput(true);
}

void Mediator::writeInput(bool everyMember) {
  Ref<DataItem> input = getInput();
  if (input) ItemGrid::write(*input, nullptr, *this, everyMember);
}

void Mediator::commit() {
  if (!hasFoundSetMethod_.load() || !hasFoundGetMethod_.load()) return;
  Ref<DataItem> input = getInput();
  Ref<OutputComponent> component = getComponent();
  if (!input || !component) return;
  ItemGrid::fill(component->getPrintOut(), input, *this);
}

void Mediator::commitUI(const TriggerUIEvent&) {
  commit();
}

bool Mediator::hasFoundDI() const {
  std::lock_guard lock(mutex_);
  return static_cast<bool>(input_);
}

Ref<DataItem> Mediator::getInput() const {
  std::lock_guard lock(mutex_);
  return input_;
}

int Mediator::getNumberOfRows() const {
  return getOutputSize().height;
}

GridSize Mediator::getOutputSize() const {
  auto component = getComponent();
  return component ? component->getOutputSize() : GridSize{};
}

Ref<DataBus> Mediator::getDataBus() const {
  std::lock_guard lock(mutex_);
  return bus_;
}

void Mediator::setDataBus(const Ref<DataBus>& bus) {
  const Ref<DataBus> old = getDataBus();
  vetoes_.fireVetoableChange(DataBusProperty, plat::lang::Value(old), plat::lang::Value(bus));
  {
    std::lock_guard lock(mutex_);
    bus_ = bus;
  }
  if (bus) bus->addDataBusEventListener(self<databus::DataBusEventListener>());
}

void Mediator::addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  vetoes_.addVetoableChangeListener(listener);
}

void Mediator::removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  vetoes_.removeVetoableChangeListener(listener);
}

void Mediator::handleDataBusEvent(const DataBusEvent& event) {
  if (event.getSource() == this) return;
  bool discarded = false;
  {
    std::lock_guard lock(mutex_);
    discarded = hasOutput_ && output_.expired();
  }
  if (discarded) {
    // Nobody shows what this consumer would find any more.
    dropInput();
    leaveBus();
    return;
  }
  const std::string binding = getDataBinding();
  const std::string alias = Name::getTableName(binding);
  const std::string& announced = event.getDataItemName();
  switch (event.getEventType()) {
    case DataBusEvent::DATA_AVAILABLE:
      if (!hasFoundDI() && sameAlias(Name::getTableName(announced), alias)) find();
      break;
    case DataBusEvent::DATA_REVOKED: {
      Ref<DataItem> input = getInput();
      auto* named = dynamic_cast<DataItemAddition*>(input.get());
      if (sameAlias(announced, alias)) {
        // The provider withdraws everything: its items are dead. The consumer stays on the bus and looks its
        // binding up again when the alias is next announced (by a newer provider of the same name).
        dropInput();
      } else if (named && !announced.empty() && named->getName() == announced) {
        // Only the held item goes; stay on the bus to find its successor when it is announced.
        dropInput();
      }
      break;
    }
    default:
      break;
  }
}

void Mediator::requestDataItem(DataBusEvent&) {}

void Mediator::notifyDataItemChanged(const DataItemChangedEvent& event) {
  if (!notifyOn_.load() && !notifyOnStatic.load()) return;
  if (!hasFoundSetMethod_.load()) return;
  Ref<DataItem> input;
  databus::ImmediateAccess* value;
  bool hasComponent;
  {
    std::lock_guard lock(mutex_);
    input = input_;
    value = inputValue_;
    hasComponent = static_cast<bool>(component_);
  }
  if (!input || event.getSource() != input.get() || !hasComponent) return;
  // A value change, the common case, writes the item it was checked against without asking for it again.
  switch (event.getChangeType()) {
    case DataItemChangedEvent::DATA_VALUE_CHANGE:
      if (value) {
        ItemGrid::write(*value, nullptr, *this);
      } else {
        ItemGrid::write(*input, nullptr, *this, false);
      }
      break;
    case DataItemChangedEvent::DATA_DELETED:
      if (auto component = getComponent()) component->setOutputSize(ItemGrid::sizeOf(*input));
      writeInput(true);
      break;
    case DataItemChangedEvent::DATA_SIZE_CHANGE:
      if (auto component = getComponent()) component->setOutputSize(ItemGrid::sizeOf(*input));
      if (notifySizeOnStatic.load()) writeInput(false);
      break;
    default:
      break;
  }
}

}  // namespace quenlora::zafoli::db::beans::binding
