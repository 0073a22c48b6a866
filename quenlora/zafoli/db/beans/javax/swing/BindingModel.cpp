#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"

#include <iostream>

#include "platform/beans/Beans.h"
#include "platform/gui/AbstractButton.h"
#include "platform/gui/BadLocationException.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/DefaultButtonModel.h"
#include "platform/gui/DefaultListSelectionModel.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/Label.h"
#include "platform/gui/List.h"
#include "platform/gui/Table.h"
#include "platform/gui/TextComponent.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/BindingResourceLoader.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
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
using binding::databus::ImmediateAccess;
using plat::lang::Ref;
using plat::lang::Value;
namespace gui = plat::gui;
using support::fullNameOf;

namespace {

bool endsWithAll(const std::string& name) {
  const std::string all = Name::AllRowsString;
  return name.size() >= all.size() && name.compare(name.size() - all.size(), all.size(), all) == 0;
}

// The combo model's codes for the binding model's: -1 and 0 act, 3 is an item selection, mouse and key shift by 1.
int comboCode(int code) {
  if (code <= 0) return TriggeringEvents::ACTION_PERFORMED;
  if (code <= 2) return code;
  if (code == 3) return TriggeringEvents::ITEM_SELECTED;
  return code + 1;
}

}  // namespace

// Listens to items in the model's place, holding it weakly, so that an item never keeps the model alive.
class BindingModel::Relay : public binding::databus::DataItemChangedListener {
 public:
  explicit Relay(std::weak_ptr<BindingModel> model) : model_(std::move(model)) {}
  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    if (auto model = model_.lock()) model->notifyDataItemChanged(event);
  }

 private:
  std::weak_ptr<BindingModel> model_;
};

// Listens to the table's selection in the model's place.
class BindingModel::PositionWatcher : public gui::ListSelectionListener {
 public:
  explicit PositionWatcher(std::weak_ptr<BindingModel> model) : model_(std::move(model)) {}
  void valueChanged(const gui::ListSelectionEvent& event) override {
    if (auto model = model_.lock()) model->valueChanged(event);
  }

 private:
  std::weak_ptr<BindingModel> model_;
};

const std::string& BindingModel::ROW_NUMBER() {
  static const std::string text = binding::BindingResourceLoader::text("BindingModel_Row");
  return text;
}
const std::string& BindingModel::NOT_DATABOUND() {
  static const std::string text = binding::BindingResourceLoader::text("BindingModel_NotDatabound");
  return text;
}
const std::string& BindingModel::BINARY_DATA() {
  static const std::string text = binding::BindingResourceLoader::text("BindingModel_BinaryData");
  return text;
}
const std::string& BindingModel::EXISTING_ROW() {
  static const std::string text = binding::BindingResourceLoader::text("BindingModel_Existing");
  return text;
}

BindingModel::BindingModel() : vetos(this), handler_(plat::lang::makeRef<EventHandler>(this)) {}

BindingModel::~BindingModel() {
  std::lock_guard lock(mutex_);
  if (relay_) {
    for (const auto& item : {input, lookupInput, positionInput}) {
      if (item) item->removeDataItemChangedListener(relay_);
    }
  }
  if (tableSelectionModel && positionWatcher_) tableSelectionModel->removeListSelectionListener(positionWatcher_);
}

const Ref<binding::databus::DataItemChangedListener>& BindingModel::relay() {
  std::lock_guard lock(mutex_);
  if (!relay_) relay_ = plat::lang::makeRef<Relay>(std::dynamic_pointer_cast<BindingModel>(shared_from_this()));
  return relay_;
}

gui::ListSelectionModel* BindingModel::listSelection() const {
  std::lock_guard lock(mutex_);
  if (!listSelectionModel) listSelectionModel = plat::lang::makeRef<gui::DefaultListSelectionModel>();
  return listSelectionModel.get();
}

gui::ButtonModel* BindingModel::button() const {
  std::lock_guard lock(mutex_);
  if (!buttonModel) buttonModel = plat::lang::makeRef<gui::DefaultButtonModel>(false);
  return buttonModel.get();
}

// ---- Properties -------------------------------------------------------------------------------------------------

void BindingModel::setComponent(const Ref<gui::Component>& component) {
  if (!component) return;
  installListener(installedEvent_, false);
  Component_ = component;
  auto box = std::dynamic_pointer_cast<gui::ComboBox>(component);
  if (!box) installListener(getTriggeringEvent(), true);
  if (plat::beans::Beans::isDesignTime()) return;  // design time shows nothing
  auto self = std::dynamic_pointer_cast<BindingModel>(shared_from_this());
  if (box) {
    handOverCombo(box);
    return;
  }
  fieldKind_.store(dynamic_cast<gui::JCurrencyTextField*>(component.get()) != nullptr ? FieldKind::Currency
                   : dynamic_cast<gui::JMaskedTextField*>(component.get()) != nullptr ? FieldKind::Masked
                                                                                      : FieldKind::Plain);
  if (auto* text = dynamic_cast<gui::TextComponent*>(component.get())) {
    text->setDocument(self);
  } else if (auto* list = dynamic_cast<gui::List*>(component.get())) {
    list->setModel(self);
    list->setSelectionModel(self);
  } else if (auto* button = dynamic_cast<gui::AbstractButton*>(component.get())) {
    {
      std::lock_guard lock(mutex_);
      buttonModel = plat::lang::makeRef<gui::DefaultButtonModel>(false);
    }
    hasButtonModel_.store(true);
    button->setModel(self);
  } else if (auto* table = dynamic_cast<gui::Table*>(component.get())) {
    table->setModel(self);
    if (getLookupItem()) linkPosition();
  }
  if (getDataItem()) updateComponent();
}

void BindingModel::handOverCombo(const Ref<gui::ComboBox>& box) {
  std::optional<std::vector<std::string>> texts;
  std::string data;
  std::string lookup;
  {
    std::lock_guard lock(mutex_);
    texts = staticList;
    data = dataBinding;
    lookup = lookupBinding;
  }
  auto model = texts ? plat::lang::makeRef<DBComboBoxModel>(*texts) : plat::lang::makeRef<DBComboBoxModel>();
  dbComboBoxModel = model;
  model->setComboBox(box);
  model->setEmptyMeansNull(getEmptyMeansNull());
  model->setFormatNumbers(getFormatNumbers());
  model->setLocalizationUsed(isLocalizationUsed());
  model->setLookupDataBinding(lookup);
  model->setSelectionDataBinding(data);
  model->setTriggeringEvents({comboCode(getTriggeringEvent())});
  // The combo model binds from now on: this model lets its items go and leaves the bus.
  Ref<DataBus> bus;
  {
    std::lock_guard lock(mutex_);
    dataBinding.clear();
    lookupBinding.clear();
    for (auto* item : {&input, &lookupInput, &positionInput}) {
      if (*item && relay_) (*item)->removeDataItemChangedListener(relay_);
      item->reset();
    }
    bus = std::move(dBus);
    dBus.reset();
    joined_ = false;
  }
  if (bus) {
    auto self = std::dynamic_pointer_cast<BindingModel>(shared_from_this());
    bus->removeDataBusEventListener(self);
    DataBus::leaveDataBus(self);
  }
}

std::string BindingModel::getDataBinding() const {
  std::lock_guard lock(mutex_);
  return dataBinding;
}

void BindingModel::setDataBinding(const std::string& name) {
  if (dbComboBoxModel) {
    dbComboBoxModel->setSelectionDataBinding(name);
    return;
  }
  if (name.empty()) return;
  {
    std::lock_guard lock(mutex_);
    dataBinding = name;
  }
  if (plat::beans::Beans::isDesignTime()) return;
  joinIfNeeded();
  bindData();
}

std::string BindingModel::getLookupBinding() const {
  std::lock_guard lock(mutex_);
  return lookupBinding;
}

void BindingModel::setLookupBinding(const std::string& name) {
  if (dbComboBoxModel) {
    dbComboBoxModel->setLookupDataBinding(name);
    return;
  }
  if (name.empty()) return;
  {
    std::lock_guard lock(mutex_);
    lookupBinding = name;
  }
  gridNavigation.store(endsWithAll(name));
  if (plat::beans::Beans::isDesignTime()) return;
  joinIfNeeded();
  if (!bindLookup()) return;
  if (!tableModelListeners.empty()) {
    if (!positionItem()) linkPosition();
    fireTable(gui::TableModelEvent(this, gui::TableModelEvent::HEADER_ROW));
  }
  if (!listDataListeners.empty()) fireContents(0, getSize() > 0 ? getSize() - 1 : 0);
}

void BindingModel::setTriggeringEvent(int code) {
  if (code < defaultEvent || code > keyTyped) {
    throw plat::lang::IllegalArgumentException("invalid triggering event: " + std::to_string(code));
  }
  if (dbComboBoxModel) {
    TriggeringEvent.store(code);
    dbComboBoxModel->setTriggeringEvents({comboCode(code)});
    return;
  }
  installListener(installedEvent_, false);
  TriggeringEvent.store(code);
  installListener(code, true);
}

void BindingModel::installListener(int code, bool add) {
  auto component = getComponent();
  if (!component) return;
  if (add) {
    installedEvent_ = code;
  } else {
    installedEvent_ = defaultEvent;
  }
  if (code == actionPerformed) {
    if (auto* source = dynamic_cast<gui::ActionSource*>(component.get())) {
      add ? source->addActionListener(handler_) : source->removeActionListener(handler_);
    }
  } else if (code == focusGained || code == focusLost) {
    add ? component->addFocusListener(handler_) : component->removeFocusListener(handler_);
  } else if (code == itemStateChanged) {
    if (auto* box = dynamic_cast<gui::ComboBox*>(component.get())) {
      add ? box->addItemListener(handler_) : box->removeItemListener(handler_);
    }
  } else if (code >= mouseClicked && code <= mouseReleased) {
    add ? component->addMouseListener(handler_) : component->removeMouseListener(handler_);
  } else if (code >= keyPressed && code <= keyTyped) {
    add ? component->addKeyListener(handler_) : component->removeKeyListener(handler_);
  }
}

std::string BindingModel::getBooleanTrueString() const {
  std::lock_guard lock(mutex_);
  return BooleanTrueString;
}

void BindingModel::setBooleanTrueString(const std::string& text) {
  std::lock_guard lock(mutex_);
  BooleanTrueString = text;
  UseAString.store(true);
}

std::string BindingModel::getBooleanFalseString() const {
  std::lock_guard lock(mutex_);
  return BooleanFalseString;
}

void BindingModel::setBooleanFalseString(const std::string& text) {
  std::lock_guard lock(mutex_);
  BooleanFalseString = text;
  UseAString.store(true);
}

void BindingModel::setEmptyMeansNull(bool on) {
  emptyMeansNull.store(on);
  if (dbComboBoxModel) dbComboBoxModel->setEmptyMeansNull(on);
}

void BindingModel::setFormatNumbers(bool on) {
  formatNumbers.store(on);
  if (on) localizationUsed.store(true);
  if (dbComboBoxModel) dbComboBoxModel->setFormatNumbers(on);
}

void BindingModel::setLocalizationUsed(bool on) {
  localizationUsed.store(on);
  if (!on) formatNumbers.store(false);
  if (dbComboBoxModel) dbComboBoxModel->setLocalizationUsed(on);
}

std::optional<std::vector<std::string>> BindingModel::getStaticList() const {
  std::lock_guard lock(mutex_);
  return staticList;
}

void BindingModel::setStaticList(const std::optional<std::vector<std::string>>& texts) {
  if (dbComboBoxModel) {
    dbComboBoxModel->setStaticList(texts);
    return;
  }
  {
    std::lock_guard lock(mutex_);
    staticList = texts;
  }
  if (!listDataListeners.empty()) fireContents(0, getSize() > 0 ? getSize() - 1 : 0);
}

Ref<DataItem> BindingModel::getDataItem() const {
  std::lock_guard lock(mutex_);
  return input;
}

Ref<DataItem> BindingModel::getLookupItem() const {
  std::lock_guard lock(mutex_);
  return lookupInput;
}

// ---- Binding ----------------------------------------------------------------------------------------------------

void BindingModel::joinIfNeeded() {
  {
    std::lock_guard lock(mutex_);
    if (dBus || joined_) return;
    joined_ = true;
  }
  DataBus::joinDataBus(std::dynamic_pointer_cast<DataBusMember>(shared_from_this()));
}

Ref<DataBus> BindingModel::getDataBus() const {
  std::lock_guard lock(mutex_);
  return dBus;
}

void BindingModel::setDataBus(const Ref<DataBus>& bus) {
  vetos.fireVetoableChange("dataBus", Value(getDataBus()), Value(bus));
  {
    std::lock_guard lock(mutex_);
    dBus = bus;
  }
  if (bus) bus->addDataBusEventListener(std::dynamic_pointer_cast<DataBusEventListener>(shared_from_this()));
}

void BindingModel::bindData() {
  auto bus = getDataBus();
  if (!bus) return;
  Ref<DataItem> item = bus->findDataItem(getDataBinding(), this);
  if (!item) return;
  {
    std::lock_guard lock(mutex_);
    if (input) input->removeDataItemChangedListener(relay());
    input = item;
    item->addDataItemChangedListener(relay());
    dataBinding = fullNameOf(item, dataBinding);
  }
  setUpDocument();
}

bool BindingModel::bindLookup() {
  auto bus = getDataBus();
  if (!bus) return false;
  Ref<DataItem> item = bus->findDataItem(getLookupBinding(), this);
  if (!item) return false;
  {
    std::lock_guard lock(mutex_);
    if (lookupInput) lookupInput->removeDataItemChangedListener(relay());
    lookupInput = item;
    numberOfLookupColumns.store(Name::getNumberOfCols(lookupBinding));
    item->addDataItemChangedListener(relay());
    lookupBinding = fullNameOf(item, lookupBinding);
  }
  buildColumnNames();
  return true;
}

void BindingModel::buildColumnNames() {
  std::lock_guard lock(mutex_);
  ColumnNames.clear();
  const std::string fields = Name::getFieldName(lookupBinding);
  size_t start = 0;
  while (start <= fields.size() && !fields.empty()) {
    const size_t comma = fields.find(',', start);
    std::string column = fields.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    ColumnNames.push_back(column == ROWNUMBER ? ROW_NUMBER() : column);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
}

void BindingModel::linkPosition() {
  auto table = std::dynamic_pointer_cast<gui::Table>(getComponent());
  auto bus = getDataBus();
  if (!table || !bus) return;
  const std::string name = Name::getTableName(getLookupBinding()) + Name::TableSeparator + ROWNUMBER;
  Ref<DataItem> item = bus->findDataItem(name, this);
  if (!item) return;
  auto selection = plat::lang::makeRef<gui::DefaultListSelectionModel>();
  selection->setSelectionMode(gui::ListSelectionModel::SINGLE_SELECTION);
  {
    std::lock_guard lock(mutex_);
    if (positionInput) positionInput->removeDataItemChangedListener(relay());
    positionInput = item;
    item->addDataItemChangedListener(relay());
    if (tableSelectionModel && positionWatcher_) tableSelectionModel->removeListSelectionListener(positionWatcher_);
    if (!positionWatcher_) {
      positionWatcher_ =
          plat::lang::makeRef<PositionWatcher>(std::dynamic_pointer_cast<BindingModel>(shared_from_this()));
    }
    tableSelectionModel = selection;
  }
  table->setSelectionModel(selection);
  selectPosition();
  selection->addListSelectionListener(positionWatcher_);
}

void BindingModel::selectPosition() {
  Ref<DataItem> item;
  Ref<gui::ListSelectionModel> selection;
  {
    std::lock_guard lock(mutex_);
    item = positionInput;
    selection = tableSelectionModel;
  }
  auto* position = dynamic_cast<ImmediateAccess*>(item.get());
  if (position == nullptr || !selection) return;
  followPos.store(false);
  const Value value = position->getValueAsObject();
  int modelRow = -1;
  try {
    if (value.isNumber()) {
      modelRow = value.intValue() - 1;
    } else if (!value.isNull()) {
      const std::string text = value.toString();
      modelRow = (isLocalizationUsed() ? util::LocalizedValueGenerator::parseNumberValue(text, 4).intValue()
                                       : std::stoi(text)) -
                 1;
    }
  } catch (const std::exception&) {
    modelRow = -1;  // unparsable: no row
  }
  if (!gridNavigation.load()) {
    selection->setSelectionInterval(0, 0);
  } else if (modelRow < 0 || modelRow >= getRowCount()) {
    selection->clearSelection();
  } else {
    const int viewRow = convertRowIndexToView(modelRow);
    selection->setSelectionInterval(viewRow, viewRow);
  }
  if (auto* named = dynamic_cast<binding::DataItemAddition*>(item.get())) named->cleanUp();
  followPos.store(true);
}

void BindingModel::valueChanged(const gui::ListSelectionEvent&) {
  Ref<DataItem> item;
  Ref<gui::ListSelectionModel> selection;
  {
    std::lock_guard lock(mutex_);
    item = positionInput;
    selection = tableSelectionModel;
  }
  if (!item || !selection || !followPos.load() || !gridNavigation.load() || selection->isSelectionEmpty()) return;
  const int lead = selection->getLeadSelectionIndex();
  if (lead < 0) return;
  auto* position = dynamic_cast<binding::databus::MutableImmediateAccess*>(item.get());
  if (position == nullptr) return;
  position->setValue(binding::NewValue(Value(convertRowIndexToModel(lead) + 1)));
}

void BindingModel::fireLookupChange(DataItem* lookup, int changeType) {
  // A value change names what changed through its members' status: an edited cell redraws that cell, and the
  // table keeps its rows, selection and editor, as after any edit. Anything else, or too much, is every row.
  constexpr std::size_t kMostRows = 64;
  if (changeType == DataItemChangedEvent::DATA_VALUE_CHANGE) {
    const auto changed = LookupRows::changedRows(lookup, kMostRows);
    if (!changed.empty()) {
      for (const auto& [row, column] : changed) {
        const int viewRow = convertRowIndexToView(row);
        fireTable(
            gui::TableModelEvent(this, viewRow, viewRow, column < 0 ? gui::TableModelEvent::ALL_COLUMNS : column));
      }
      return;
    }
  }
  fireTable(gui::TableModelEvent(this));
}

// ---- Bus events and item changes --------------------------------------------------------------------------------

void BindingModel::handleDataBusEvent(const DataBusEvent& event) {
  if (event.getSource() == this) return;
  const std::string& announced = event.getDataItemName();
  const std::string alias = Name::getTableName(announced);
  if (event.getEventType() == DataBusEvent::DATA_AVAILABLE) {
    if (alias.empty()) return;
    if (!getLookupItem() && !getLookupBinding().empty() && alias == Name::getTableName(getLookupBinding())) {
      // Only an announcement that bound the lookup changes the table's structure.
      if (bindLookup() && !tableModelListeners.empty()) {
        if (!positionItem()) linkPosition();
        fireTable(gui::TableModelEvent(this, gui::TableModelEvent::HEADER_ROW));
      }
    }
    if (!getDataItem() && !getDataBinding().empty() && alias == Name::getTableName(getDataBinding())) bindData();
  } else if (event.getEventType() == DataBusEvent::DATA_REVOKED) {
    // The items concerned are dead: forget them, keep what is shown, and stay on the bus to bind again when a
    // provider announces the alias anew.
    try {
      std::lock_guard lock(mutex_);
      const auto revoked = [&](const Ref<DataItem>& item, const std::string& binding) {
        return item && !announced.empty() &&
               (announced == Name::getTableName(binding) || announced == fullNameOf(item, ""));
      };
      auto forget = [&](Ref<DataItem>& item) {
        if (relay_) item->removeDataItemChangedListener(relay_);
        item.reset();
      };
      if (revoked(input, dataBinding)) forget(input);
      if (revoked(lookupInput, lookupBinding)) forget(lookupInput);
      if (revoked(positionInput, lookupBinding)) {
        forget(positionInput);
        if (tableSelectionModel && positionWatcher_) tableSelectionModel->removeListSelectionListener(positionWatcher_);
      }
    } catch (const std::exception&) {
      plat::lang::System::out().println("Exception in finalizing dataitem:" + announced);
    }
  }
}

void BindingModel::notifyDataItemChanged(const DataItemChangedEvent& event) {
  Ref<DataItem> data;
  Ref<DataItem> lookup;
  Ref<DataItem> position;
  {
    std::lock_guard lock(mutex_);
    data = input;
    lookup = lookupInput;
    position = positionInput;
  }
  const plat::lang::Object* source = event.getSource();
  if (data && source == data.get()) {
    if (event.getChangeType() == DataItemChangedEvent::DATA_VALUE_CHANGE) setUpDocument();
  } else if (lookup && source == lookup.get()) {
    if (!listDataListeners.empty()) {
      setUpDocument();
      fireContents(0, 1);
    }
    if (!tableModelListeners.empty()) {
      numberOfLookupColumns.store(Name::getNumberOfCols(getLookupBinding()));
      fireLookupChange(lookup.get(), event.getChangeType());
      if (auto* named = dynamic_cast<binding::DataItemAddition*>(lookup.get())) named->cleanUp();
      // A table drops its selection when every row changes; it stays on the navigator's row.
      if (position) selectPosition();
    }
    if (hasDocumentListeners()) {
      try {
        PlainDocument::fireChangedUpdate(
            gui::DocumentEvent(this, this, gui::DocumentEvent::EventType::CHANGE, 0, getLength()));
      } catch (const std::exception&) {
        plat::lang::System::out().println("error document listeners notfication");
      }
    }
  } else if (position && source == position.get()) {
    selectPosition();
  }
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
