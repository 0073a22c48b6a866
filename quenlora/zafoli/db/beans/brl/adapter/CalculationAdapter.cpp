#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"
#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"
#include "quenlora/zafoli/db/beans/brl/derivation/PrimitiveDataTypes.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

using beans::binding::PersistentObject;
using plat::lang::Value;
using plat::thread::Synchronized;
namespace ev = beans::binding::event;

namespace {

std::string text(const char* key) {
  return BRLAdapterResourceLoader::text(key);
}

}  // namespace

CalculationAdapter::CalculationAdapter()
    : ComputedColAdapter(ComputedColAdapterConstants::DERIVATION_PERROW, ComputedColAdapterConstants::DERIVATION) {}

void CalculationAdapter::setType(int type) {
  Synchronized lock(monitor_);
  type_ = type;
}

int CalculationAdapter::getOutputDataType() const {
  Synchronized lock(monitor_);
  return outputDataType_;
}

void CalculationAdapter::setOutputDataType(int outputDataType) {
  Synchronized lock(monitor_);
  outputDataType_ = outputDataType;
}

std::vector<std::uint8_t> CalculationAdapter::save() const {
  Synchronized lock(monitor_);
  plat::serial::ObjectOutput out;
  out.writeUTF(kVersion);
  writeRule(out);
  out.writeInt(outputDataType_);
  return out.bytes();
}

plat::lang::Ref<CalculationAdapter> CalculationAdapter::restore(const std::vector<std::uint8_t>& bytes) {
  plat::serial::ObjectInput in(bytes);
  RuleAdapterArchive::readVersion(in, kVersion);
  const SavedRule saved = readRule(in);
  const std::int32_t outputDataType = in.readInt();
  if (!in.atEnd()) throw plat::serial::StreamCorruptedException("unread data after the saved settings");
  if (saved.type != ComputedColAdapterConstants::DERIVATION_PERROW &&
      saved.type != ComputedColAdapterConstants::DERIVATION_PERROWSET) {
    throw plat::serial::InvalidObjectException("Saved calculation type " + std::to_string(saved.type) + " is unknown");
  }
  auto adapter = plat::lang::makeRef<CalculationAdapter>();
  adapter->setType(saved.type);
  adapter->setOutputDataType(outputDataType);
  adapter->applyRule(saved);
  adapter->setAliasName(saved.aliasName);
  return adapter;
}

std::string CalculationAdapter::getOutputNameNotAvailMsg() const {
  return text(
      "Calculation Output Name property is not set. Please set this property for the CalculationAdapter before "
      "proceeding");
}

Value CalculationAdapter::computeValue(Calculation& rule, const DerivationRow& row) {
  try {
    return rule.getComputedValue(row, outputDataType_);
  } catch (const plat::lang::Throwable& e) {
    ComputedColAdapterUIHelper::displayMsgToLog(BRLResourceLoader::text("Exception while performing calculation:"),
                                                e.toString());
  } catch (const std::exception& e) {
    ComputedColAdapterUIHelper::displayMsgToLog(BRLResourceLoader::text("Exception while performing calculation:"),
                                                e.what());
  }
  // An application rule that throws has failed like a built-in one.
  return Value(plat::lang::makeRef<CalculationFailedValue>());
}

void CalculationAdapter::runRule() {
  Synchronized lock(monitor_);
  auto rule = std::dynamic_pointer_cast<Calculation>(ruleObject(false));
  if (!rule) {
    plat::lang::System::out().println(text("Casting to Calculation failed"));
    return;
  }
  const Value value = computeValue(*rule, row_);
  ComputedColAdapterUIHelper::displayMsgToLog(text("Calculation performed for:"), getDataBindingName());
  publish(value);
}

void CalculationAdapter::recompute(const RecordRef& record) {
  if (isAggregate()) return runAggregate();
  if (!readFromRecord(record)) return reset();
  if (allSet()) runRule();
}

void CalculationAdapter::calculate() {
  Synchronized lock(monitor_);
  prepareOutput();
  if (sourceColumns_.empty()) {
    runRule();
  } else if (isAggregate()) {
    runAggregate();
  } else if (currQueryNav_) {
    recompute(currentRecord());
  } else if (allSet()) {
    runRule();
  }
}

void CalculationAdapter::runAggregate() {
  Synchronized lock(monitor_);
  // The rule that folds must be able to: the aggregate rule when one is set, else the rule itself.
  const bool ownFold = !aggrImplClass_;
  auto folding = std::dynamic_pointer_cast<Calculation>(ruleObject(!ownFold));
  if (!folding || !folding->isUsedForAggregate()) {
    const std::string className = ownFold ? (implClass_ ? implClass_->name : "") : aggrImplClass_->name;
    ComputedColAdapterUIHelper::displayAggNotValidMsg(className, getDataBindingName());
    return;
  }
  auto rule = std::dynamic_pointer_cast<Calculation>(ruleObject(false));
  if (!rule) {
    plat::lang::System::out().println(text("Casting to Calculation failed"));
    return;
  }
  if (!currQueryNav_) return;

  aggValue_ = Value();
  // The navigator counts only the records it has fetched so far; a fold over that count would leave records out
  // and report the partial total as the result, so the records are walked until the query has no more.
  const std::vector<Participant> inputs = participants();
  for (int position = 1;; ++position) {
    try {
      RecordRef record;
      try {
        record = std::dynamic_pointer_cast<PersistentObject>(currQueryNav_->getElementAt(position - 1));
      } catch (const beans::binding::PositionOutOfRangeException&) {
        break;
      }
      if (!record) throw plat::lang::NullPointerException("No record at row " + std::to_string(position));
      if (record->getMarkedAsDeleted()) continue;
      const int which = record->isDirty() ? PersistentObject::MODIFIED_VALUE : PersistentObject::ORIGINAL_VALUE;
      bool missing = false;
      for (const Participant& p : inputs) {
        const int column = record->getColumnIndex(p.column);
        if (column < 0) return unknownAggregateColumn(p.member->getBindName().value_or(p.column));
        missing = !takeValue(*p.member, record->getValueAsObject(column, which)) || missing;
      }
      // A row with a missing input has no value to add, as NULL in an SQL aggregate.
      for (const auto& member : sourceColumns_) missing = missing || member->getValue().isNull();
      if (missing) continue;
      Value value = computeValue(*rule, row_);
      if (value.isNull()) continue;
      if (!CalculationFailedValue::isIn(value) && !aggValue_.isNull()) {
        DerivationRow pair;
        pair.addSourceColumnMember(
            std::make_shared<ConstantMember>(aggValue_, derivation::PrimitiveDataTypes::getPrimitiveType(aggValue_)));
        pair.addSourceColumnMember(
            std::make_shared<ConstantMember>(value, derivation::PrimitiveDataTypes::getPrimitiveType(value)));
        value = computeValue(*folding, pair);
      }
      // A total that silently leaves out a row would report a failure as a result.
      if (CalculationFailedValue::isIn(value)) return failAggregate(value.toString(), false);
      aggValue_ = value;
    } catch (const plat::lang::Throwable& e) {
      // A row that cannot be read is a row left out: the walk ends, and so would a read that keeps failing.
      return failAggregate(e.toString(), true);
    } catch (const std::exception& e) {
      return failAggregate(e.what(), true);
    }
  }
  ComputedColAdapterUIHelper::displayMsgToLog(text("Calculation performed for:"), getDataBindingName());
  publish(aggValue_);
}

void CalculationAdapter::failAggregate(const std::string& message, bool log) {
  const std::string title = text("Exception while calculating aggregate: ");
  plat::lang::System::out().println(title + message);
  // A rule's own failure has its entry already.
  if (log) ComputedColAdapterUIHelper::displayMsgToLog(title, message);
  aggValue_ = Value(plat::lang::makeRef<CalculationFailedValue>());
  publish(aggValue_);
}

void CalculationAdapter::unknownAggregateColumn(const std::string& bindName) {
  // The records cannot give this input at all: no row has a value, which is not an empty row set either.
  ComputedColAdapterUIHelper::displayMsgToLog(text("Exception while calculating aggregate: "),
                                              "Column not found: " + bindName);
  aggValue_ = Value();
  publish(Value(plat::lang::makeRef<UnKnownColValue>(ComputedColAdapterConstants::DERIVATION)));
}

void CalculationAdapter::processAfterRecordNavigateEvent(const ev::RecordNavigateEvent& event) {
  switch (event.getEventType()) {
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_FIRST:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_NEXT:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_PREV:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_GOTO:
      return recompute(event.getNewRecord());
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_UNKNOWN:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_NEW:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_QBE:
    case ev::RecordNavigateEvent::RECORD_NAVIGATION_RESTART:
      return reset();
    default:
      return;
  }
}

void CalculationAdapter::processBorderRecordEvent(const ev::RecordNavigateEvent& event) {
  if (event.getEventType() == ev::RecordNavigateEvent::RECORD_BOUNDARY_LAST) recompute(event.getNewRecord());
}

void CalculationAdapter::processAfterColumnChangeEvent(const ev::ColumnDataEvent& event) {
  if (event.getEventType() == ev::ColumnDataEvent::COLUMN_UNDO) return recompute(currentRecord());
  if (event.getEventType() != ev::ColumnDataEvent::COLUMN_CHANGED) return;
  const RecordRef record = currentRecord();
  if (!record) return reset();
  if (record->getMarkedAsQBE()) return reset();
  if (!isInputColumn(event.getColumnNumber())) return;
  if (isAggregate()) return runAggregate();
  if (!readFromColumnChange(event)) return reset();
  if (allSet()) runRule();
}

void CalculationAdapter::processAfterRecordSaveEvent(const ev::RecordSaveEvent& event) {
  recompute(event.getRecord());
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
