#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/PositionOutOfRangeException.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/brl/BRLResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/Calculation.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/adapter/BRLAdapterResourceLoader.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterConstants.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapterUIHelper.h"
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
  bool failed = false;
  // The navigator counts only the records it has fetched so far; a fold over that count would leave records out
  // and report the partial total as the result, so the records are walked until the query has no more.
  const std::vector<Participant> inputs = participants();
  for (int position = 1; !failed; ++position) {
    try {
      RecordRef record;
      try {
        record = std::dynamic_pointer_cast<PersistentObject>(currQueryNav_->getElementAt(position - 1));
      } catch (const beans::binding::PositionOutOfRangeException&) {
        break;
      }
      if (!readFromRecord(record, inputs) || record->getMarkedAsDeleted()) continue;
      // A row with a missing input has no value to add, as NULL in an SQL aggregate.
      bool missing = false;
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
      if (CalculationFailedValue::isIn(value)) {
        // A total that silently leaves out a row would report a failure as a result.
        plat::lang::System::out().println(text("Exception while calculating aggregate: ") + value.toString());
        aggValue_ = value;
        failed = true;
        continue;
      }
      aggValue_ = value;
    } catch (const plat::lang::Exception& e) {
      plat::lang::System::out().println(text("Exception while calculating aggregate: ") + e.getMessage());
    }
  }
  ComputedColAdapterUIHelper::displayMsgToLog(text("Calculation performed for:"), getDataBindingName());
  publish(aggValue_);
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
