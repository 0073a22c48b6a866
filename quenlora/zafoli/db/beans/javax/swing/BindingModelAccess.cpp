// The binding model's two directions: showing the bound value in the component and committing the user's edit,
// and the list, table and button contracts served over the lookup item or the static list.
#include <iostream>

#include "platform/beans/Beans.h"
#include "platform/gui/AbstractButton.h"
#include "platform/gui/BadLocationException.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/ImageIcon.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/Label.h"
#include "platform/gui/List.h"
#include "platform/gui/Table.h"
#include "platform/gui/TextComponent.h"
#include "platform/io/InputStream.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "quenlora/zafoli/db/beans/binding/databus/ImmediateAccess.h"
#include "quenlora/zafoli/db/beans/binding/databus/MutableImmediateAccess.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "quenlora/zafoli/db/beans/javax/swing/BoundModelSupport.h"
#include "quenlora/zafoli/db/beans/javax/swing/LookupRows.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::javax::swing {

using binding::databus::DataItem;
using binding::databus::ImmediateAccess;
using plat::lang::Ref;
using plat::lang::Value;
namespace gui = plat::gui;
using support::FlagScope;
using support::textOf;

namespace {

Value::Bytes readAll(const Ref<plat::io::InputStream>& stream) {
  Value::Bytes bytes;
  std::vector<std::uint8_t> buffer(4096);
  for (;;) {
    const int n = stream->read(buffer.data(), buffer.size());
    if (n <= 0) break;
    bytes.insert(bytes.end(), buffer.begin(), buffer.begin() + n);
  }
  return bytes;
}

}  // namespace

// ---- Showing ----------------------------------------------------------------------------------------------------

Value BindingModel::display(const Value& value) const {
  if (!value.isNull() && isLocalizationUsed()) {
    return util::LocalizedValueGenerator::formatValue(value, getFormatNumbers());
  }
  return value;
}

void BindingModel::updateComponent() {
  setUpDocument();
}

void BindingModel::setUpDocument() {
  if (!notify.load()) return;
  auto* item = dynamic_cast<ImmediateAccess*>(getDataItem().get());
  if (item == nullptr) return;
  const Value raw = item->getValueAsObject();
  const Value value = display(raw);
  const std::string text = textOf(value);
  auto component = getComponent();
  FlagScope quiet(notify, false);
  try {
    if (auto* label = dynamic_cast<gui::Label*>(component.get())) {
      if (raw.is(Value::Kind::Stream)) {
        try {
          label->setIcon(plat::lang::makeRef<gui::ImageIcon>(readAll(raw.getStream())));
        } catch (const std::exception&) {
          // No picture in the bytes: the label shows what it showed.
        }
      } else {
        label->setText(text);
        label->setIcon(nullptr);
      }
      return;
    }
    if (raw.is(Value::Kind::Boolean)) {
      if (hasButtonModel_.load()) button()->setSelected(raw.getBoolean());
      if (dynamic_cast<gui::TextComponent*>(component.get()) != nullptr) {
        remove(0, getLength());
        insertString(0, raw.getBoolean() ? "true" : "false");
      }
      return;
    }
    const bool unknown = brl::UnKnownColValue::isIn(raw);
    // A masked or currency field takes its value through its own operation, so that it knows the value (and
    // its mask or amount) rather than finding bare text in its document; an uncomputed rule result empties it.
    if (auto* currency = dynamic_cast<gui::JCurrencyTextField*>(component.get())) {
      currency->setFormattedText(unknown ? std::string() : textOf(raw));
      if (!unknown) markDocumentSet();
      return;
    }
    if (auto* masked = dynamic_cast<gui::JMaskedTextField*>(component.get())) {
      masked->setMaskedText(unknown ? std::string() : textOf(raw));
      if (!unknown) markDocumentSet();
      return;
    }
    if (hasButtonModel_.load()) {
      button()->setSelected(text == getBooleanTrueString());
      UseAString.store(true);
    }
    // Whatever the field holds goes, typed text included: the value replaces it, never joins it.
    remove(0, getLength());
    insertString(0, text);
    markDocumentSet();
    if (!listDataListeners.empty()) {
      selectValue(value);
      if (component) component->repaint();
    }
  } catch (const gui::BadLocationException&) {
    plat::lang::System::out().println("error in setUpDocument()");
  }
}

void BindingModel::markDocumentSet() {
  std::lock_guard lock(mutex_);
  documentSet = true;
}

// ---- Committing -------------------------------------------------------------------------------------------------

void BindingModel::setValue(Value value) {
  auto* item = dynamic_cast<binding::databus::MutableImmediateAccess*>(getDataItem().get());
  if (item == nullptr) return;
  if (getEmptyMeansNull() && value.is(Value::Kind::String) && value.getString().empty()) value = Value();
  FlagScope quiet(notify, false);
  item->setValue(binding::NewValue(std::move(value)));
}

void BindingModel::commit() {
  if (!notify.load()) return;
  auto component = getComponent();
  if (dynamic_cast<gui::ComboBox*>(component.get()) != nullptr) {
    commitCombo();
  } else if (dynamic_cast<gui::TextComponent*>(component.get()) != nullptr) {
    commitText();
  } else if (dynamic_cast<gui::List*>(component.get()) != nullptr) {
    commitList();
  } else if (dynamic_cast<gui::AbstractButton*>(component.get()) != nullptr) {
    commitButton();
  }
}

void BindingModel::commitText() {
  if (!notify.load()) return;
  if (fieldKind_.load() == FieldKind::Plain) {
    setValue(Value(getText()));
    return;
  }
  auto component = getComponent();
  if (auto* currency = dynamic_cast<gui::JCurrencyTextField*>(component.get())) {
    // The amount, not its formatted text: a number written as text would be read again in the locale's format.
    // The field reformats itself when it gains and loses the focus; the same amount again is no edit.
    const std::string amount = currency->getValue();
    const Value value = amount.empty() ? Value() : Value(plat::math::Decimal(amount));
    if (!sameAsBound(value)) setValue(value);
  } else if (auto* masked = dynamic_cast<gui::JMaskedTextField*>(component.get())) {
    const Value value(masked->getUnmaskedText());
    if (!sameAsBound(value)) setValue(value);
  } else {
    setValue(Value(getText()));
  }
}

bool BindingModel::sameAsBound(const Value& value) const {
  auto* item = dynamic_cast<ImmediateAccess*>(getDataItem().get());
  if (item == nullptr) return false;
  const Value bound = item->getValueAsObject();
  const bool empty = value.isNull() || (value.is(Value::Kind::String) && value.getString().empty());
  if (bound.isNull() || empty) return bound.isNull() && empty && (value.isNull() || getEmptyMeansNull());
  if (value.is(Value::Kind::Decimal)) {
    try {
      return plat::math::Decimal(bound.toString()).compareTo(value.getDecimal()) == 0;
    } catch (const std::exception&) {
      return false;
    }
  }
  return textOf(bound) == textOf(value);
}

bool BindingModel::halfReplaced() const {
  // A plain field commits both halves, as it always did; a masked or currency field would commit a value it
  // never showed.
  if (fieldKind_.load() == FieldKind::Plain) return false;
  auto* text = dynamic_cast<gui::TextComponent*>(getComponent().get());
  return text != nullptr && text->isReplacingText();
}

void BindingModel::commitList() {
  if (!notify.load()) return;
  const int index = listSelection()->getMinSelectionIndex();
  if (index < 0) return;
  setValue(cellValue(index, 0));
}

void BindingModel::commitCombo() {
  if (!notify.load() || dbComboBoxModel) return;
  const int index = listSelection()->getLeadSelectionIndex();
  if (index < 0 || listSelection()->isSelectionEmpty()) return;
  setValue(cellValue(index, 0));
}

void BindingModel::commitButton() {
  if (!notify.load()) return;
  const bool on = button()->isSelected();
  if (UseAString.load()) {
    setValue(Value(on ? getBooleanTrueString() : getBooleanFalseString()));
  } else {
    setValue(Value(on));
  }
}

void BindingModel::insertUpdate(const gui::DocumentEvent&) {
  if (getTriggeringEvent() == defaultEvent && notify.load()) commitText();
}

void BindingModel::removeUpdate(const gui::DocumentEvent&) {
  // The old text of a replacement has gone and the new one is on its way: only the whole change is committed.
  if (getTriggeringEvent() == defaultEvent && notify.load() && !halfReplaced()) commitText();
}

void BindingModel::changedUpdate(const gui::DocumentEvent&) {
  if (getTriggeringEvent() == defaultEvent && notify.load()) commitText();
}

void BindingModel::fireInsertUpdate(const gui::DocumentEvent& event) {
  PlainDocument::fireInsertUpdate(event);
  insertUpdate(event);
}

void BindingModel::fireRemoveUpdate(const gui::DocumentEvent& event) {
  PlainDocument::fireRemoveUpdate(event);
  removeUpdate(event);
}

void BindingModel::fireChangedUpdate(const gui::DocumentEvent& event) {
  PlainDocument::fireChangedUpdate(event);
  changedUpdate(event);
}

void BindingModel::setSelectionInterval(int index0, int index1) {
  listSelection()->setSelectionInterval(index0, index1);
  if (getTriggeringEvent() == defaultEvent && notify.load()) commitList();
}

void BindingModel::setSelected(bool on) {
  button()->setSelected(on);
  if (getTriggeringEvent() == defaultEvent && notify.load()) commitButton();
}

void BindingModel::setPressed(bool pressed) {
  if (pressed && !button()->isPressed() && button()->isEnabled()) setSelected(!button()->isSelected());
  button()->setPressed(pressed);
}

// ---- Lists ------------------------------------------------------------------------------------------------------

Value BindingModel::cellValue(int row, int column) const {
  Ref<DataItem> lookup = getLookupItem();
  if (lookup) return LookupRows::cell(lookup.get(), row, column);
  std::lock_guard lock(mutex_);
  if (staticList && row >= 0 && row < static_cast<int>(staticList->size())) {
    return Value((*staticList)[static_cast<size_t>(row)]);
  }
  return Value();
}

int BindingModel::getSize() const {
  Ref<DataItem> lookup = getLookupItem();
  if (lookup) return LookupRows::rowCount(lookup.get());
  std::lock_guard lock(mutex_);
  return staticList ? static_cast<int>(staticList->size()) : 0;
}

Value BindingModel::getElementAt(int index) const {
  const Value shown = display(cellValue(index, 1));
  return shown.isNull() ? Value(std::string()) : shown;
}

void BindingModel::addListDataListener(const Ref<gui::ListDataListener>& l) {
  listDataListeners.add(l);
}

void BindingModel::removeListDataListener(const Ref<gui::ListDataListener>& l) {
  listDataListeners.remove(l);
}

void BindingModel::selectValue(const Value& value) {
  const std::string wanted = textOf(value);
  {
    std::lock_guard lock(mutex_);
    currentSelectedValue = wanted;
  }
  int found = -1;
  const int size = getSize();
  for (int r = 0; r < size && found < 0; ++r) {
    if (textOf(getElementAt(r)) == wanted) found = r;
  }
  {
    std::lock_guard lock(mutex_);
    selected = found;
  }
  // No matching row: no selection, and the static list stays as it is.
  if (found < 0) {
    listSelection()->clearSelection();
  } else {
    listSelection()->setSelectionInterval(found, found);
  }
}

void BindingModel::setSelectedItem(const Value& item) {
  selectValue(item);
  commitCombo();
}

Value BindingModel::getSelectedItem() const {
  const int lead = listSelection()->getLeadSelectionIndex();
  if (lead >= 0 && !listSelection()->isSelectionEmpty()) return getElementAt(lead);
  auto* item = dynamic_cast<ImmediateAccess*>(getDataItem().get());
  if (item == nullptr) return Value(std::string());
  return display(item->getValueAsObject());
}

void BindingModel::fireContents(int index0, int index1) {
  const gui::ListDataEvent event(this, gui::ListDataEvent::CONTENTS_CHANGED, index0, index1);
  for (const auto& l : listDataListeners.snapshot()) l->contentsChanged(event);
}

// ---- Tables -----------------------------------------------------------------------------------------------------

int BindingModel::getRowCount() const {
  return LookupRows::rowCount(getLookupItem().get());
}

int BindingModel::getColumnCount() const {
  if (getLookupBinding().empty()) return -1;
  return numberOfLookupColumns.load();
}

std::string BindingModel::getColumnName(int column) const {
  std::lock_guard lock(mutex_);
  if (column < 0 || column >= static_cast<int>(ColumnNames.size())) return std::string();
  return ColumnNames[static_cast<size_t>(column)];
}

Value BindingModel::getValueAt(int row, int column) const {
  // A row outside the lookup reads null without counting the rows first: the cell read checks the bounds.
  Ref<DataItem> lookup = getLookupItem();
  if (!lookup) return Value();
  return display(LookupRows::cell(lookup.get(), row, column));
}

void BindingModel::setValueAt(const Value& value, int row, int column) {
  if (plat::beans::Beans::isDesignTime()) return;
  Ref<DataItem> lookup = getLookupItem();
  if (!lookup || row < 0 || row >= LookupRows::rowCount(lookup.get())) return;
  Value v = value;
  if (getEmptyMeansNull() && v.is(Value::Kind::String) && v.getString().empty()) v = Value();
  if (LookupRows::isSingleValue(lookup.get())) {
    auto* single = dynamic_cast<binding::databus::MutableImmediateAccess*>(lookup.get());
    if (single == nullptr) return;
    FlagScope quiet(notify, false);
    single->setValue(binding::NewValue(std::move(v)));
    return;
  }
  Ref<DataItem> cell = LookupRows::cellItem(lookup.get(), row, column);
  const bool singleRow = LookupRows::isSingleValueRow(lookup.get(), row);
  auto* target = dynamic_cast<binding::databus::MutableImmediateAccess*>(cell.get());
  if (target == nullptr) return;
  if (singleRow) {
    FlagScope quiet(notify, false);
    target->setValue(binding::NewValue(std::move(v)));
  } else {
    target->setValue(binding::NewValue(std::move(v)));
  }
}

void BindingModel::addTableModelListener(const Ref<gui::TableModelListener>& l) {
  tableModelListeners.add(l);
}

void BindingModel::removeTableModelListener(const Ref<gui::TableModelListener>& l) {
  tableModelListeners.remove(l);
}

void BindingModel::fireTable(const gui::TableModelEvent& event) {
  for (const auto& l : tableModelListeners.snapshot()) l->tableChanged(event);
}

}  // namespace quenlora::zafoli::db::beans::javax::swing
