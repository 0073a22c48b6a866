#include "quenlora/zafoli/db/beans/brl/adapter/ValidationAdapter.h"

#include <algorithm>

#include "platform/beans/Beans.h"
#include "platform/lang/System.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/Validation.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"
#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

using plat::lang::Value;
using plat::thread::Synchronized;
namespace ev = beans::binding::event;

ValidationAdapter::ValidationAdapter()
    : ComputedColAdapter(ComputedColAdapterConstants::VALIDATION_PERROW, ComputedColAdapterConstants::VALIDATION) {}

std::vector<std::uint8_t> ValidationAdapter::save() const {
  Synchronized lock(monitor_);
  plat::serial::ObjectOutput out;
  out.writeUTF(kVersion);
  writeRule(out);
  RuleAdapterArchive::writeOperators(out, comparisionOperators_);
  RuleAdapterArchive::writeMembers(out, targetColumns_);
  out.writeUTF(customMessage_);
  out.writeBoolean(displayDialogOnFail_);
  out.writeBoolean(printMessageToLog_);
  return out.bytes();
}

plat::lang::Ref<ValidationAdapter> ValidationAdapter::restore(const std::vector<std::uint8_t>& bytes) {
  plat::serial::ObjectInput in(bytes);
  RuleAdapterArchive::readVersion(in, kVersion);
  const SavedRule saved = readRule(in);
  std::vector<OperatorRef> operators = RuleAdapterArchive::readOperators(in);
  std::vector<InputRef> targets = RuleAdapterArchive::readMembers(in);
  const std::string message = in.readUTF(RuleAdapterArchive::kMaxTextBytes);
  const bool displayDialogOnFail = in.readBoolean();
  const bool printMessageToLog = in.readBoolean();
  if (!in.atEnd()) throw plat::serial::StreamCorruptedException("unread data after the saved settings");
  if (saved.type != ComputedColAdapterConstants::VALIDATION_PERROW) {
    throw plat::serial::InvalidObjectException("Saved validation type " + std::to_string(saved.type) + " is unknown");
  }
  auto adapter = plat::lang::makeRef<ValidationAdapter>();
  adapter->applyRule(saved);
  adapter->setComparisionOperators(std::move(operators));
  adapter->setTargetColumns(std::move(targets));
  adapter->setCustomMessage(message);
  adapter->setDisplayDialogOnFail(displayDialogOnFail);
  adapter->setPrintMessageToLog(printMessageToLog);
  adapter->setAliasName(saved.aliasName);
  return adapter;
}

std::vector<ValidationAdapter::OperatorRef> ValidationAdapter::getComparisionOperators() const {
  Synchronized lock(monitor_);
  return comparisionOperators_;
}

void ValidationAdapter::setComparisionOperators(std::vector<OperatorRef> operators) {
  Synchronized lock(monitor_);
  comparisionOperators_ = std::move(operators);
  row_.removeAllComparisionOperators();
  for (const auto& op : comparisionOperators_) row_.addComparisionOperator(op);
}

std::vector<ComputedColAdapter::InputRef> ValidationAdapter::getTargetColumns() const {
  Synchronized lock(monitor_);
  return targetColumns_;
}

void ValidationAdapter::setTargetColumns(std::vector<InputRef> members) {
  Synchronized lock(monitor_);
  targetColumns_ = std::move(members);
  if (plat::beans::Beans::isDesignTime()) return;
  row_.removeAllTargetColumnMembers();
  for (const auto& member : targetColumns_) row_.addTargetColumnMember(member);
  refollow();
}

std::string ValidationAdapter::getCustomMessage() const {
  Synchronized lock(monitor_);
  return customMessage_;
}

void ValidationAdapter::setCustomMessage(const std::string& message) {
  Synchronized lock(monitor_);
  customMessage_ = message;
}

bool ValidationAdapter::isDisplayDialogOnFail() const {
  Synchronized lock(monitor_);
  return displayDialogOnFail_;
}

void ValidationAdapter::setDisplayDialogOnFail(bool display) {
  Synchronized lock(monitor_);
  displayDialogOnFail_ = display;
}

bool ValidationAdapter::isPrintMessageToLog() const {
  Synchronized lock(monitor_);
  return printMessageToLog_;
}

void ValidationAdapter::setPrintMessageToLog(bool print) {
  Synchronized lock(monitor_);
  printMessageToLog_ = print;
}

bool ValidationAdapter::isUndoPending() const {
  Synchronized lock(monitor_);
  return prevUndoOperation_;
}

void ValidationAdapter::addValidationEventListener(const ListenerRef& listener) {
  std::lock_guard lock(listenersMutex_);
  listeners_.push_back(listener);
}

void ValidationAdapter::removeValidationEventListener(const ListenerRef& listener) {
  std::lock_guard lock(listenersMutex_);
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it != listeners_.end()) listeners_.erase(it);
}

std::string ValidationAdapter::getOutputNameNotAvailMsg() const {
  return BRLAdapterResourceLoader::text(
      "Validation Output Name property is not set. Please set this property for the ValidationAdapter before "
      "proceeding");
}

void ValidationAdapter::tell(bool holds) {
  std::vector<ListenerRef> listeners;
  {
    std::lock_guard lock(listenersMutex_);
    listeners = listeners_;
  }
  const ValidationEvent event(this);
  for (const auto& listener : listeners) {
    if (holds) {
      listener->validationSuccessful(event);
    } else {
      listener->validationFailed(event);
    }
  }
}

void ValidationAdapter::runRule() {
  Synchronized lock(monitor_);
  auto rule = std::dynamic_pointer_cast<Validation>(ruleObject(false));
  if (!rule) {
    plat::lang::System::out().println("Casting to Validation failed");
    return;
  }
  ComputedColAdapterUIHelper::displayMsgToLog(BRLAdapterResourceLoader::text("Validation performed for:"),
                                              getDataBindingName());
  int outcome = -1;  // holds
  try {
    rule->validate(row_);
  } catch (const ValidationException& e) {
    outcome = e.getValidationType();
  } catch (const plat::lang::Throwable& e) {
    // An application rule that throws anything else could not evaluate its inputs.
    ComputedColAdapterUIHelper::displayMsgToLog(BRLAdapterResourceLoader::text("Exception from Validation Adapter:"),
                                                e.toString());
    outcome = ValidationException::VALIDATION_NOT_PERFORMED;
  } catch (const std::exception& e) {
    ComputedColAdapterUIHelper::displayMsgToLog(BRLAdapterResourceLoader::text("Exception from Validation Adapter:"),
                                                e.what());
    outcome = ValidationException::VALIDATION_NOT_PERFORMED;
  }
  if (outcome == ValidationException::VALIDATION_NOT_PERFORMED) {
    publish(Value(plat::lang::makeRef<UnKnownColValue>(ComputedColAdapterConstants::VALIDATION)));
    return;
  }
  if (outcome == ValidationException::VALIDATION_PERFORMED) {
    const std::string message = customMessage_.empty()
                                    ? BRLAdapterResourceLoader::text("Validation failed for the specified rule")
                                    : customMessage_;
    if (printMessageToLog_) {
      ComputedColAdapterUIHelper::displayMsgToLog(BRLAdapterResourceLoader::text("Exception from Validation Adapter:"),
                                                  message);
    }
    if (displayDialogOnFail_) ComputedColAdapterUIHelper::displayMsgDialog(message, true);
    publish(Value(false));
    tell(false);
    return;
  }
  publish(Value(true));
  tell(true);
}

void ValidationAdapter::validateRecord(const RecordRef& record) {
  if (!record || !record->isDirty()) return reset();
  const std::vector<int> modified = record->getModifiedColumns();
  const std::vector<int> inputs = inputColumns(record);
  const bool touched = std::any_of(inputs.begin(), inputs.end(), [&](int column) {
    return column >= 0 && std::find(modified.begin(), modified.end(), column) != modified.end();
  });
  if (!touched || !readFromRecord(record)) return reset();
  if (allSet()) runRule();
}

void ValidationAdapter::validate() {
  Synchronized lock(monitor_);
  prepareOutput();
  if (currQueryNav_) {
    validateRecord(currentRecord());
  } else if (allSet()) {
    runRule();
  }
}

void ValidationAdapter::processBeforeRecordNavigateEvent(const ev::RecordNavigateEvent& event) {
  switch (event.getEventType()) {
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_FIRST:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_NEXT:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_PREV:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_GOTO:
      return validateRecord(event.getOldRecord());
    default:
      return reset();
  }
}

void ValidationAdapter::processBorderRecordEvent(const ev::RecordNavigateEvent& event) {
  if (event.getEventType() == ev::RecordNavigateEvent::RECORD_BOUNDARY_LAST) validateRecord(event.getOldRecord());
}

void ValidationAdapter::processBeforeRecordSaveEvent(const ev::RecordSaveEvent& event) {
  const RecordRef& record = event.getRecord();
  if (!record || record->getMarkedAsDeleted()) return reset();
  validateRecord(record);
}

void ValidationAdapter::processBeforeColumnChangeEvent(const ev::ColumnDataEvent& event) {
  const RecordRef record = currentRecord();
  if (event.getEventType() == ev::ColumnDataEvent::COLUMN_UNDO || !record || record->getMarkedAsQBE()) {
    if (event.getEventType() == ev::ColumnDataEvent::COLUMN_UNDO) prevUndoOperation_ = true;
    return reset();
  }
  if (!isInputColumn(event.getColumnNumber())) {
    prevUndoOperation_ = false;
    return reset();
  }
  if (prevUndoOperation_) {
    prevUndoOperation_ = false;
    return;
  }
  if (!readFromColumnChange(event)) return reset();
  if (allSet()) runRule();
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
