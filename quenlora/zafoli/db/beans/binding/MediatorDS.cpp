#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"

#include <utility>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/ItemGrid.h"
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"
#include "quenlora/zafoli/db/beans/binding/OutputComponentForDS.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"
#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding {

using databus::DataBusEvent;
using databus::DataItem;
using databus::DataItemChangedEvent;
using plat::lang::Ref;

namespace {

// Stands for a mediator in its source's trigger listeners without keeping it alive.
class TriggerForwarder : public TriggerUIListener {
 public:
  explicit TriggerForwarder(plat::lang::WeakRef<MediatorDS> mediator) : mediator_(std::move(mediator)) {}
  void commitUI(const TriggerUIEvent& event) override {
    if (auto mediator = mediator_.lock()) mediator->commitUI(event);
  }
  void setDataBinding(const std::string& fullName) override {
    if (auto mediator = mediator_.lock()) mediator->setDataBinding(fullName);
  }

 private:
  plat::lang::WeakRef<MediatorDS> mediator_;
};

// Runs its action when the scope ends, however it ends: the flags switched around a refresh come back even when
// the source or an output throws.
template <class Action>
class OnExit {
 public:
  explicit OnExit(Action action) : action_(std::move(action)) {}
  ~OnExit() { action_(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  Action action_;
};

DataItemAddition* addition(const Ref<DataItem>& item) {
  return dynamic_cast<DataItemAddition*>(item.get());
}

}  // namespace

MediatorDS::~MediatorDS() {
  try {
    Ref<BasicDataSource> old = std::dynamic_pointer_cast<BasicDataSource>(sourceObject_.lock());
    if (old && triggerListener_) old->removeTriggerUIListener(triggerListener_);
  } catch (...) {
    // A source that fails while its mediator goes away has nothing left to tell it.
  }
}

const Ref<TriggerUIListener>& MediatorDS::triggerListener() {
  std::lock_guard lock(mutex_);
  if (!triggerListener_) triggerListener_ = plat::lang::makeRef<TriggerForwarder>(self<MediatorDS>());
  return triggerListener_;
}

Ref<BasicDataSource> MediatorDS::source() const {
  std::lock_guard lock(mutex_);
  return std::dynamic_pointer_cast<BasicDataSource>(sourceObject_.lock());
}

Ref<OutputComponent> MediatorDS::makeComponent(const Ref<plat::lang::Object>&) {
  return plat::lang::makeRef<OutputComponentForDS>();
}

void MediatorDS::configureComponent(OutputComponent& component) {
  component.setInputClass(OutputComponent::ObjectClass);
}

void MediatorDS::setOutput(const Ref<plat::lang::Object>& dataSource) {
  Ref<BasicDataSource> old = source();
  Ref<BasicDataSource> next = std::dynamic_pointer_cast<BasicDataSource>(dataSource);
  if (old && old != next) old->removeTriggerUIListener(triggerListener());
  if (!dataSource) {
    std::lock_guard lock(mutex_);
    sourceObject_.reset();
    return;
  }
  emptyMeansNull_.store(false);
  {
    std::lock_guard lock(mutex_);
    sourceObject_ = dataSource;
  }
  Mediator::setOutput(dataSource);
  if (next && next != old) next->addTriggerUIListener(triggerListener());
}

void MediatorDS::setDataBinding(const std::string& fullName) {
  if (!getComponent()) return;
  std::string announced;
  {
    std::lock_guard lock(mutex_);
    m_DataBinding.setName(fullName);
    announced = m_DataBinding.getFullName();
  }
  joinIfNeeded();
  {
    PublishedList earlier;
    {
      std::lock_guard lock(mutex_);
      earlier = std::exchange(items_, std::make_shared<const std::vector<Published>>());
    }
    for (const auto& p : *earlier) {
      announce(DataBusEvent::DATA_REVOKED, p.name);
      p.item->removeDataItemChangedListener(itemListener());
    }
  }
  announce(DataBusEvent::DATA_AVAILABLE, announced);
  try {
    commit();
  } catch (const databus::InvalidType&) {
  }
}

std::string MediatorDS::getDataBinding() const {
  std::lock_guard lock(mutex_);
  Name copy = m_DataBinding;
  const std::string full = copy.getFullName();
  return full == "none" ? std::string() : full;
}

bool MediatorDS::announce(int type, const std::string& name) {
  Ref<databus::DataBus> bus = getDataBus();
  if (!bus) return false;
  bus->announceDataItem(DataBusEvent(type, name, this));
  return true;
}

std::vector<MediatorDS::Published> MediatorDS::published() const {
  return *publishedList();
}

MediatorDS::PublishedList MediatorDS::publishedList() const {
  std::lock_guard lock(mutex_);
  return items_;
}

std::vector<MediatorDS::Published> MediatorDS::forgetAll() {
  PublishedList forgotten;
  {
    std::lock_guard lock(mutex_);
    forgotten = std::exchange(items_, std::make_shared<const std::vector<Published>>());
  }
  for (const auto& p : *forgotten) p.item->removeDataItemChangedListener(itemListener());
  return *forgotten;
}

std::vector<Ref<DataItem>> MediatorDS::getDataInputVector() const {
  std::vector<Ref<DataItem>> items;
  for (const auto& p : published()) items.push_back(p.item);
  return items;
}

std::vector<std::vector<int>> MediatorDS::getDataInputCols() const {
  std::vector<std::vector<int>> columns;
  for (const auto& p : published()) columns.push_back(p.columns);
  return columns;
}

void MediatorDS::setDataBus(const Ref<databus::DataBus>& bus) {
  {
    std::lock_guard lock(mutex_);
    bus_ = bus;
  }
  if (bus) bus->addDataBusEventListener(self<databus::DataBusEventListener>());
}

void MediatorDS::handleDataBusEvent(const DataBusEvent&) {}

void MediatorDS::requestDataItem(DataBusEvent& event) {
  if (event.getEventType() != DataBusEvent::DATA_REQUEST) return;
  const std::string& requested = event.getDataItemName();
  Name own;
  {
    std::lock_guard lock(mutex_);
    own = m_DataBinding;
  }
  if (!own.isMyField(requested)) return;
  int rows;
  try {
    rows = Name::getNumberOfRows(requested);
  } catch (const plat::lang::NumberFormatException&) {
    return;  // a malformed request is nobody's; the other members are still asked
  }
  const std::vector<int> positions = own.getColumnsFromName(requested);
  for (const auto& p : *publishedList()) {
    if (p.columns == positions && Name::getNumberOfRows(p.name) == rows) event.setDataItem(p.item);
  }
  Ref<BasicDataSource> src = source();
  Ref<OutputComponent> component = getComponent();
  if (event.getDataItem() || !src || !component) return;
  const bool allRows = rows == Name::AllRows;
  if (allRows) {
    rows = src->getTotalNumberOfRows();
    if (rows < 1) rows = 1;
  }

  setNotifyOnDS(false);
  OnExit writeBackOn([this] { setNotifyOnDS(true); });
  std::string itemName = requested;
  if (Name::getFieldName(requested) == Name::AllColumnsString) {
    itemName = own.getTableName() + Name::TableSeparator + own.getRealFieldName() + Name::SizeSeparator +
               (allRows ? std::to_string(Name::AllRows) : std::to_string(own.getNumberOfRows()));
  }
  component->setOutputSize(GridSize{static_cast<int>(positions.size()), rows});
  const Grid grid = component->getPrintOut(positions, allRows ? src->getCurrentRowNumber() : 0);
  Ref<DataItem> seed;
  if (allRows) {
    auto collection = plat::lang::makeRef<MutableCollectionItem>();
    collection->setStatusFlag(DataItemAddition::NEW);
    seed = collection;
  }
  Ref<DataItem> item = ItemGrid::fill(grid, seed, *this);
  if (!item) return;
  if (auto* named = addition(item)) named->setName(itemName);
  item->addDataItemChangedListener(itemListener());
  {
    Published entry{item, positions, itemName};
    entry.allRows = Name::getNumberOfRows(itemName) == Name::AllRows;
    entry.single = dynamic_cast<databus::ImmediateAccess*>(item.get()) != nullptr;
    entry.named = addition(item);
    std::lock_guard lock(mutex_);
    auto grown = std::make_shared<std::vector<Published>>(*items_);
    grown->push_back(std::move(entry));
    items_ = std::move(grown);
  }
  event.setDataItem(item);
  if (auto* named = addition(item)) named->cleanUp();
}

void MediatorDS::commit() {
  if (!getHasFoundSetMethod() || !getHasFoundGetMethod()) return;
  refresh(eventType_.load() == 1);
}

void MediatorDS::refresh(bool navigation) {
  Ref<BasicDataSource> src = source();
  Ref<OutputComponent> component = getComponent();
  if (!src || !component) return;
  setNotifyOnDS(false);
  OnExit writeBackOn([this] { setNotifyOnDS(true); });
  const int row = src->getCurrentRowNumber();
  const PublishedList items = publishedList();
  for (const auto& p : *items) {
    if (!p.allRows && p.single && p.columns.size() == 1) {
      // One cell, read and filled without building a grid around it.
      component->setOutputSize(GridSize{1, 1});
      ItemGrid::fill(component->getPrintOut(0, p.columns.front()), p.item, *this);
      continue;
    }
    if (!p.allRows) {
      component->setOutputSize(p.single ? GridSize{1, 1} : ItemGrid::sizeOf(*p.item));
      ItemGrid::fill(component->getPrintOut(p.columns, 0), p.item, *this);
      continue;
    }
    const int total = src->getTotalNumberOfRows();
    if (navigation || total < 1) continue;
    component->setOutputSize(GridSize{static_cast<int>(p.columns.size()), total});
    ItemGrid::fill(component->getPrintOut(p.columns, row), p.item, *this);
  }
  for (const auto& p : *items) {
    if (p.named) p.named->cleanUp();
  }
  currentRow_.store(row);
}

void MediatorDS::commitUI(const TriggerUIEvent& event) {
  if (event.m_Type == TriggerUIEvent::FORCEREFRESH) {
    notifySizeOnStatic.store(true);
    notifyOnStatic.store(true);
    OnExit unforced([] { notifyOnStatic.store(false); });
    commit();
  } else if (event.m_Type == TriggerUIEvent::RECORDNAVIGATION) {
    eventType_.store(1);
    OnExit plain([this] { eventType_.store(0); });
    commit();
  } else {
    commit();
  }
}

void MediatorDS::notifyDataItemChanged(const DataItemChangedEvent& event) {
  if (event.getChangeType() != DataItemChangedEvent::DATA_VALUE_CHANGE) return;
  if (!notifyOnDS_.load() && !notifyOnStatic.load()) return;
  if (!getHasFoundSetMethod() || !getHasFoundGetMethod()) return;
  const PublishedList items = publishedList();
  const Published* changed = nullptr;
  for (const auto& p : *items)
    if (p.item.get() == event.getSource()) changed = &p;
  Ref<BasicDataSource> src = source();
  Ref<OutputComponent> component = getComponent();
  if (!changed || !src || !component) return;
  const bool allRows = changed->allRows;
  setOffset(allRows ? src->getCurrentRowNumber() : 0);
  OnExit noOffset([this] { setOffset(0); });
  component->setOutputSize(ItemGrid::sizeOf(*changed->item));
  ItemGrid::write(*changed->item, &changed->columns, *this, false);
  if (changed->named) changed->named->cleanUp();
}

void MediatorDS::killAll() {
  std::string alias;
  {
    std::lock_guard lock(mutex_);
    alias = m_DataBinding.getTableName();
  }
  bool announced = false;
  try {
    announced = announce(DataBusEvent::DATA_REVOKED, alias);
  } catch (const plat::lang::Exception&) {
  }
  if (!announced) plat::lang::System::out().println("could'nt do kill all");
  forgetAll();
  leaveBus();
}

void MediatorDS::killAll(const std::string& alias) {
  joinIfNeeded();
  const std::vector<Published> items = forgetAll();
  bool announced = false;
  try {
    announced = announce(DataBusEvent::DATA_REVOKED, alias);
    for (const auto& p : items) announced = announce(DataBusEvent::DATA_REVOKED, p.name) && announced;
  } catch (const plat::lang::Exception&) {
    announced = false;
  }
  if (!announced) plat::lang::System::out().println("Could not do kill all");
  leaveBus();
}

}  // namespace quenlora::zafoli::db::beans::binding
