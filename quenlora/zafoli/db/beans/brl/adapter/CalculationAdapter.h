// The rule adapter of calculations: runs its Calculation for the navigator's current record (type 0) or folds it
// over every record that is not marked deleted (type 1) and publishes the result, the CalculationFailedValue marker,
// or the not-performed marker while inputs are missing. Make it with makeRef. Thread contract as ComputedColAdapter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/brl/Calculation.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapter.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

class CalculationAdapter : public ComputedColAdapter {
 public:
  static constexpr const char* kVersion = "CalculationAdapter/1";

  CalculationAdapter();

  // The saved settings: type, rule classes by name, sources, output name and type, alias (the navigator followed,
  // the members' values and the published output are not saved). save throws InvalidObjectException for an input
  // that cannot be saved; restore builds a live adapter (outside design time it follows and publishes as when its
  // properties are set) or throws StreamCorruptedException / InvalidObjectException and builds nothing.
  std::vector<std::uint8_t> save() const;
  static plat::lang::Ref<CalculationAdapter> restore(const std::vector<std::uint8_t>& bytes);

  // 0 per row, 1 over the row set.
  void setType(int type);
  int getOutputDataType() const;
  void setOutputDataType(int outputDataType);
  // Runs the rule now: at once without inputs, as an aggregate, for the current record, or on what the members
  // hold without a navigator.
  void calculate();

  void processBeforeRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent&) override {}
  void processAfterRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent& event) override;
  void processBorderRecordEvent(const beans::binding::event::RecordNavigateEvent& event) override;
  void processBeforeColumnChangeEvent(const beans::binding::event::ColumnDataEvent&) override {}
  void processAfterColumnChangeEvent(const beans::binding::event::ColumnDataEvent& event) override;
  void processBeforeRecordSaveEvent(const beans::binding::event::RecordSaveEvent&) override {}
  void processAfterRecordSaveEvent(const beans::binding::event::RecordSaveEvent& event) override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.adapter.CalculationAdapter"; }

 protected:
  ComputeRow& computeRow() override { return row_; }
  std::string getOutputNameNotAvailMsg() const override;
  void runRule() override;

 private:
  bool isAggregate() const { return type_ == 1; }
  // The aggregate, or the row from record (reset when it cannot be read).
  void recompute(const RecordRef& record);
  // The rule's value for the row as it stands; an application rule that throws fails.
  plat::lang::Value computeValue(Calculation& rule, const DerivationRow& row);
  void runAggregate();
  // The walk ends: the aggregate becomes CalculationFailedValue, printed (and logged when log) with message.
  void failAggregate(const std::string& message, bool log);
  // The walk ends: the records do not know an input's column; the not-performed marker is published.
  void unknownAggregateColumn(const std::string& bindName);

  DerivationRow row_;           // guarded by monitor_
  int outputDataType_ = 4;      // guarded by monitor_; INTEGER
  plat::lang::Value aggValue_;  // guarded by monitor_
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
