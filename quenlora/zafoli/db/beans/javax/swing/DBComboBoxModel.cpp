#include "quenlora/zafoli/db/beans/javax/swing/DBComboBoxModel.h"

#include "platform/beans/Beans.h"
#include "platform/gui/DefaultComboBoxModel.h"
#include "platform/lang/Exceptions.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/MutableImmediateAccess.h"
#include "quenlora/zafoli/db/beans/javax/swing/BoundModelSupport.h"
#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using binding::Name;
using binding::databus::DataBus;
using binding::databus::DataBusEvent;
using binding::databus::DataItem;
using binding::databus::DataItemChangedEvent;
using plat::lang::Ref;
using plat::lang::Value;
using support::FlagScope;
using support::fullNameOf;
using support::textOf;

// Listens to items in the model's place, holding it weakly, so that an item never keeps the model alive.
class DBComboBoxModel::Relay : public binding::databus::DataItemChangedListener {
 public:
  explicit Relay(std::weak_ptr<DBComboBoxModel> model) : model_(std::move(model)) {}
  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    if (auto model = model_.lock()) model->notifyDataItemChanged(event);
  }

 private:
  std::weak_ptr<DBComboBoxModel> model_;
};

DBComboBoxModel::DBComboBoxModel() : eventHandler(plat::lang::makeRef<TriggeringEventHandler>(this)), vetos(this) {}

DBComboBoxModel::DBComboBoxModel(std::vector<Value> objects) : DBComboBoxModel() {
  this->objects = std::move(objects);
}

DBComboBoxModel::DBComboBoxModel(const std::vector<std::string>& texts) : DBComboBoxModel() {
  staticlist = true;
  staticObjects = texts;
  for (const auto& t : texts) objects.emplace_back(t);
  if (!texts.empty()) {
    selectedObject = Value(texts.front());
    selectedIndex_ = 0;
  }
}

DBComboBoxModel::~DBComboBoxModel() {
  std::lock_guard lock(mutex_);
  if (relay_) {
    if (selectionDataItem) selectionDataItem->removeDataItemChangedListener(relay_);
    if (lookupDataItem) lookupDataItem->removeDataItemChangedListener(relay_);
  }
}

const Ref<binding::databus::DataItemChangedListener>& DBComboBoxModel::relay() {
  std::lock_guard lock(mutex_);
  if (!relay_) {
    relay_ = plat::lang::makeRef<Relay>(std::dynamic_pointer_cast<DBComboBoxModel>(shared_from_this()));
  }
  return relay_;
}

void DBComboBoxModel::stopListening(Ref<DataItem>& item) {
  if (item) item->removeDataItemChangedListener(relay());
  item.reset();
}

void DBComboBoxModel::setComboBox(const Ref<plat::gui::ComboBox>& box) {
  auto previous = comboBox.lock();
  if (previous && previous != box) previous->setModel(plat::lang::makeRef<plat::gui::DefaultComboBoxModel>());
  comboBox = box;
  if (box) box->setModel(std::dynamic_pointer_cast<DBComboBoxModel>(shared_from_this()));
  eventHandler->setSource(box);
}

std::string DBComboBoxModel::getSelectionDataBinding() const {
  std::lock_guard lock(mutex_);
  return selectionDataBinding;
}

std::string DBComboBoxModel::getLookupDataBinding() const {
  std::lock_guard lock(mutex_);
  return lookupDataBinding;
}

std::optional<std::vector<std::string>> DBComboBoxModel::getStaticList() const {
  std::lock_guard lock(mutex_);
  if (!staticlist) return std::nullopt;
  return staticObjects;
}

bool DBComboBoxModel::isOutOfStep() const {
  std::lock_guard lock(mutex_);
  return outOfStep_;
}

void DBComboBoxModel::setFormatNumbers(bool on) {
  formatNumbers.store(on);
  if (on) localizationUsed.store(true);
}

void DBComboBoxModel::setLocalizationUsed(bool on) {
  localizationUsed.store(on);
  if (!on) formatNumbers.store(false);
}

void DBComboBoxModel::joinIfNeeded() {
  {
    std::lock_guard lock(mutex_);
    if (dataBus || joined_) return;
    joined_ = true;
  }
  DataBus::joinDataBus(std::dynamic_pointer_cast<DataBusMember>(shared_from_this()));
}

Ref<DataBus> DBComboBoxModel::getDataBus() const {
  std::lock_guard lock(mutex_);
  return dataBus;
}

void DBComboBoxModel::setDataBus(const Ref<DataBus>& bus) {
  vetos.fireVetoableChange(dataBusAttribute, Value(getDataBus()), Value(bus));
  {
    std::lock_guard lock(mutex_);
    dataBus = bus;
  }
  if (bus) bus->addDataBusEventListener(std::dynamic_pointer_cast<DataBusEventListener>(shared_from_this()));
}

void DBComboBoxModel::setSelectionDataBinding(const std::string& name) {
  if (name.empty()) return;
  {
    std::lock_guard lock(mutex_);
    selectionDataBinding = name;
  }
  if (plat::beans::Beans::isDesignTime()) return;
  joinIfNeeded();
  bindSelection();
}

void DBComboBoxModel::bindSelection() {
  auto bus = getDataBus();
  if (!bus) return;
  Ref<DataItem> item = bus->findDataItem(getSelectionDataBinding(), this);
  if (!item) return;
  {
    std::lock_guard lock(mutex_);
    stopListening(selectionDataItem);
    selectionDataItem = item;
    item->addDataItemChangedListener(relay());
    selectionDataBinding = fullNameOf(item, selectionDataBinding);
  }
  selectFromBus();
}

void DBComboBoxModel::setLookupDataBinding(const std::string& name) {
  if (name.empty()) return;
  const int columns = Name::getNumberOfCols(name);
  if (columns != 1 && columns != 2) {
    throw plat::lang::IllegalArgumentException("a combo box takes one or two lookup columns, not " +
                                               std::to_string(columns) + ": " + name);
  }
  {
    std::lock_guard lock(mutex_);
    lookupDataBinding = name;
    numberOfLookupColumns = columns;
  }
  if (plat::beans::Beans::isDesignTime()) return;
  joinIfNeeded();
  bindLookup();
}

void DBComboBoxModel::bindLookup() {
  auto bus = getDataBus();
  if (!bus) return;
  Ref<DataItem> item = bus->findDataItem(getLookupDataBinding(), this);
  if (!item) return;
  {
    std::lock_guard lock(mutex_);
    stopListening(lookupDataItem);
    lookupDataItem = item;
    if (numberOfLookupColumns == 2) invisibleObjects = objects;
    item->addDataItemChangedListener(relay());
    lookupDataBinding = fullNameOf(item, lookupDataBinding);
  }
  rebuild();
}

void DBComboBoxModel::setStaticList(const std::optional<std::vector<std::string>>& texts) {
  {
    std::lock_guard lock(mutex_);
    if (!texts) {
      staticlist = false;
      staticObjects.clear();
      selectedObject = Value();
      selectedIndex_ = -1;
    } else {
      staticlist = true;
      staticObjects = *texts;
      // An empty list has no first text to select.
      if (!plat::beans::Beans::isDesignTime() && !texts->empty()) {
        selectedObject = Value(texts->front());
        selectedIndex_ = -1;
      }
    }
  }
  rebuild();
}

Value DBComboBoxModel::shown(const Value& value) const {
  if (value.isNull()) return Value(std::string());
  if (!localizationUsed.load()) return value;
  Value formatted = util::LocalizedValueGenerator::formatValue(value, formatNumbers.load());
  return formatted.isNull() ? Value(std::string()) : formatted;
}

void DBComboBoxModel::rebuild() {
  int before = 0;
  int after = 0;
  {
    FlagScope rebuilding(disableSelection, true);
    std::lock_guard lock(mutex_);
    before = static_cast<int>(objects.size());
    std::vector<Value> shownRows;
    std::vector<Value> stored;
    if (lookupDataItem) {
      const int rows = LookupRows::rowCount(lookupDataItem.get());
      for (int r = 0; r < rows; ++r) {
        if (LookupRows::isSingleValueRow(lookupDataItem.get(), r)) {
          if (numberOfLookupColumns == 2) {
            throw plat::lang::IllegalStateException("a row of one value in a two-column lookup: " + lookupDataBinding);
          }
          shownRows.push_back(shown(LookupRows::cell(lookupDataItem.get(), r, 0)));
        } else if (numberOfLookupColumns == 2) {
          stored.push_back(LookupRows::cell(lookupDataItem.get(), r, 0));
          shownRows.push_back(shown(LookupRows::cell(lookupDataItem.get(), r, 1)));
        } else {
          shownRows.push_back(shown(LookupRows::cell(lookupDataItem.get(), r, 0)));
        }
      }
    } else if (!staticlist) {
      shownRows = objects;  // the entries given at construction stay
    }
    if (staticlist && numberOfLookupColumns <= 1) {
      for (const auto& text : staticObjects) {
        bool listed = false;
        for (const auto& v : shownRows) listed = listed || textOf(v) == text;
        if (!listed) shownRows.emplace_back(text);
      }
    }
    objects = std::move(shownRows);
    invisibleObjects = std::move(stored);
    after = static_cast<int>(objects.size());
  }
  if (after < before) fireIntervalRemoved(this, after, before - 1);
  if (after > before) fireIntervalAdded(this, before, after - 1);
  if (after > 0) fireContentsChanged(this, 0, after - 1);
  selectFromBus();
}

void DBComboBoxModel::selectFromBus() {
  Ref<DataItem> item;
  {
    std::lock_guard lock(mutex_);
    item = selectionDataItem;
  }
  auto* immediate = dynamic_cast<binding::databus::ImmediateAccess*>(item.get());
  if (immediate == nullptr) return;
  FlagScope applying(applyingBus_, true);
  const Value raw = immediate->getValueAsObject();
  {
    std::lock_guard lock(mutex_);
    if (numberOfLookupColumns == 2) {
      if (raw.isNull()) {
        selectedObject = Value();
        selectedIndex_ = -1;
        outOfStep_ = false;
      } else {
        int found = -1;
        for (size_t i = 0; i < invisibleObjects.size() && found < 0; ++i) {
          if (textOf(invisibleObjects[i]) == raw.toString()) found = static_cast<int>(i);
        }
        if (found >= 0) {
          selectedIndex_ = found;
          selectedObject = objects[static_cast<size_t>(found)];
          outOfStep_ = false;
        } else {
          outOfStep_ = true;
        }
      }
    } else {
      const Value value = shown(raw);
      selectedObject = raw.isNull() ? Value() : value;
      selectedIndex_ = -1;
      for (size_t i = 0; i < objects.size() && selectedIndex_ < 0; ++i) {
        if (textOf(objects[i]) == textOf(value)) selectedIndex_ = static_cast<int>(i);
      }
      outOfStep_ = false;
    }
  }
  fireContentsChanged(this, -1, -1);
}

int DBComboBoxModel::getSize() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(objects.size());
}

Value DBComboBoxModel::getElementAt(int index) const {
  std::lock_guard lock(mutex_);
  if (index < 0 || index >= static_cast<int>(objects.size())) return Value();
  return objects[static_cast<size_t>(index)];
}

Value DBComboBoxModel::getSelectedItem() const {
  std::lock_guard lock(mutex_);
  return selectedObject;
}

void DBComboBoxModel::setSelectedItem(const Value& item) {
  if (disableSelection.load()) return;
  {
    std::lock_guard lock(mutex_);
    int index = -1;
    for (size_t i = 0; i < objects.size() && index < 0; ++i) {
      if (objects[i] == item || (!item.isNull() && textOf(objects[i]) == item.toString())) {
        index = static_cast<int>(i);
      }
    }
    auto box = comboBox.lock();
    if (item.isNull()) {
      selectedObject = Value();
      selectedIndex_ = -1;
    } else if (index >= 0) {
      selectedObject = objects[static_cast<size_t>(index)];
      selectedIndex_ = index;
    } else if (box && box->isEditable()) {
      selectedObject = item;
      selectedIndex_ = -1;
    } else {
      selectedObject = Value();
      selectedIndex_ = -1;
    }
    outOfStep_ = false;
  }
  fireContentsChanged(this, -1, -1);
}

void DBComboBoxModel::setSelectedIndex(int index) {
  if (disableSelection.load()) return;
  {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= static_cast<int>(objects.size())) {
      selectedObject = Value();
      selectedIndex_ = -1;
    } else {
      selectedObject = objects[static_cast<size_t>(index)];
      selectedIndex_ = index;
    }
    outOfStep_ = false;
  }
  fireContentsChanged(this, -1, -1);
}

int DBComboBoxModel::getSelectedIndex() const {
  std::lock_guard lock(mutex_);
  if (selectedIndex_ >= 0 && selectedIndex_ < static_cast<int>(objects.size()) &&
      objects[static_cast<size_t>(selectedIndex_)] == selectedObject) {
    return selectedIndex_;
  }
  // Free text that equals an entry is that entry.
  for (size_t i = 0; i < objects.size(); ++i) {
    if (!selectedObject.isNull() && objects[i] == selectedObject) return static_cast<int>(i);
  }
  return -1;
}

Value DBComboBoxModel::getSelectedValue() const {
  std::lock_guard lock(mutex_);
  if (numberOfLookupColumns == 2 && selectedIndex_ >= 0 && selectedIndex_ < static_cast<int>(invisibleObjects.size()) &&
      objects[static_cast<size_t>(selectedIndex_)] == selectedObject) {
    return invisibleObjects[static_cast<size_t>(selectedIndex_)];
  }
  return selectedObject;
}

bool DBComboBoxModel::selectStoredValue(const Value& value) {
  if (disableSelection.load() || value.isNull()) return false;
  {
    std::lock_guard lock(mutex_);
    if (numberOfLookupColumns != 2) return false;
    int found = -1;
    for (size_t i = 0; i < invisibleObjects.size() && i < objects.size() && found < 0; ++i) {
      if (textOf(invisibleObjects[i]) == value.toString()) found = static_cast<int>(i);
    }
    if (found < 0) return false;
    selectedIndex_ = found;
    selectedObject = objects[static_cast<size_t>(found)];
    outOfStep_ = false;
  }
  fireContentsChanged(this, -1, -1);
  return true;
}

void DBComboBoxModel::commit() {
  if (disableSelection.load() || applyingBus_.load()) return;
  Value value;
  {
    std::lock_guard lock(mutex_);
    if (!selectionDataItem) return;
    if (numberOfLookupColumns == 2) {
      if (outOfStep_) return;
      if (selectedObject.isNull()) {
        value = Value();
      } else if (selectedIndex_ >= 0 && selectedIndex_ < static_cast<int>(invisibleObjects.size()) &&
                 objects[static_cast<size_t>(selectedIndex_)] == selectedObject) {
        value = invisibleObjects[static_cast<size_t>(selectedIndex_)];
      } else {
        return;  // free text has no stored value
      }
    } else {
      value = selectedObject;
    }
  }
  write(std::move(value));
}

void DBComboBoxModel::write(Value value) {
  if (emptyMeansNull.load() && value.is(Value::Kind::String) && value.getString().empty()) value = Value();
  Ref<DataItem> item;
  {
    std::lock_guard lock(mutex_);
    item = selectionDataItem;
  }
  auto* target = dynamic_cast<binding::databus::MutableImmediateAccess*>(item.get());
  if (target == nullptr) return;
  FlagScope writing(writing_, true);
  target->setValue(binding::NewValue(std::move(value)));
}

void DBComboBoxModel::handleDataBusEvent(const DataBusEvent& event) {
  if (event.getSource() == this) return;
  const std::string& announced = event.getDataItemName();
  const std::string alias = Name::getTableName(announced);
  if (event.getEventType() == DataBusEvent::DATA_AVAILABLE) {
    bool selectionMissing = false;
    bool lookupMissing = false;
    std::string selectionAlias;
    std::string lookupAlias;
    {
      std::lock_guard lock(mutex_);
      selectionMissing = !selectionDataItem && !selectionDataBinding.empty();
      lookupMissing = !lookupDataItem && !lookupDataBinding.empty();
      selectionAlias = Name::getTableName(selectionDataBinding);
      lookupAlias = Name::getTableName(lookupDataBinding);
    }
    if (selectionMissing && !alias.empty() && alias == selectionAlias) {
      if (lookupMissing) {
        // The lookup's navigator may not have run yet; without one there is nothing to run.
        if (auto navigator = binding::QueryNavigator::getQueryNavigatorObject(lookupAlias)) navigator->execute(true);
      }
      bindSelection();
    }
    {
      std::lock_guard lock(mutex_);
      lookupMissing = !lookupDataItem && !lookupDataBinding.empty();
    }
    if (lookupMissing && !alias.empty() && alias == lookupAlias) bindLookup();
  } else if (event.getEventType() == DataBusEvent::DATA_REVOKED) {
    // Forget the revoked items and stay on the bus: a new provider under the alias is bound when it appears.
    std::lock_guard lock(mutex_);
    const auto revoked = [&](const Ref<DataItem>& item, const std::string& binding) {
      return item && (announced == Name::getTableName(binding) || announced == fullNameOf(item, ""));
    };
    if (revoked(selectionDataItem, selectionDataBinding)) stopListening(selectionDataItem);
    if (revoked(lookupDataItem, lookupDataBinding)) stopListening(lookupDataItem);
  }
}

void DBComboBoxModel::notifyDataItemChanged(const DataItemChangedEvent& event) {
  Ref<DataItem> lookup;
  Ref<DataItem> selection;
  {
    std::lock_guard lock(mutex_);
    lookup = lookupDataItem;
    selection = selectionDataItem;
  }
  if (lookup && event.getSource() == lookup.get()) {
    if (event.getChangeType() != DataItemChangedEvent::DATA_DELETED) rebuild();
  } else if (selection && event.getSource() == selection.get()) {
    if (!writing_.load()) selectFromBus();
  }
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
