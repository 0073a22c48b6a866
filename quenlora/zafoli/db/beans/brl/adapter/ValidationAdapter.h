// The rule adapter of validations: validates the record being left, edited or saved and publishes Boolean true
// (holds), false (broken, with the log entry, dialog and listener calls its settings ask for) or the not-performed
// marker. Rules never veto: navigation and saving go on whatever the outcome. Make it with makeRef. Thread contract
// as ComputedColAdapter; listeners are called on a copy of their list.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/brl/OperatorMember.h"
#include "quenlora/zafoli/db/beans/brl/ValidationEvent.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/brl/adapter/ComputedColAdapter.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

class ValidationAdapter : public ComputedColAdapter {
 public:
  static constexpr const char* OUTDATATYPE_STR = "BIT";
  using OperatorRef = std::shared_ptr<OperatorMember>;
  using ListenerRef = plat::lang::Ref<ValidationEventListener>;

  static constexpr const char* kVersion = "ValidationAdapter/1";

  ValidationAdapter();

  // The saved settings: type, rule classes by name, sources, output name, alias, operators, targets, custom
  // message and the two flags (listeners, the pending undo and the members' values are not saved). Failures as
  // CalculationAdapter's.
  std::vector<std::uint8_t> save() const;
  static plat::lang::Ref<ValidationAdapter> restore(const std::vector<std::uint8_t>& bytes);

  std::vector<OperatorRef> getComparisionOperators() const;
  // Replaces the rule row's operators (also at design time).
  void setComparisionOperators(std::vector<OperatorRef> operators);
  std::vector<InputRef> getTargetColumns() const;
  // Replaces the rule row's targets; members no longer used stop being followed.
  void setTargetColumns(std::vector<InputRef> members);
  std::string getCustomMessage() const;
  void setCustomMessage(const std::string& message);
  bool isDisplayDialogOnFail() const;
  void setDisplayDialogOnFail(bool display);
  bool isPrintMessageToLog() const;
  void setPrintMessageToLog(bool print);
  void addValidationEventListener(const ListenerRef& listener);
  void removeValidationEventListener(const ListenerRef& listener);
  // Validates the navigator's current record, or without a navigator runs on what the members hold.
  void validate();
  // An undo is pending: the next change of a rule column is not validated.
  bool isUndoPending() const;

  void processBeforeRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent& event) override;
  void processAfterRecordNavigateEvent(const beans::binding::event::RecordNavigateEvent&) override {}
  void processBorderRecordEvent(const beans::binding::event::RecordNavigateEvent& event) override;
  void processBeforeColumnChangeEvent(const beans::binding::event::ColumnDataEvent& event) override;
  void processAfterColumnChangeEvent(const beans::binding::event::ColumnDataEvent&) override {}
  void processBeforeRecordSaveEvent(const beans::binding::event::RecordSaveEvent& event) override;
  void processAfterRecordSaveEvent(const beans::binding::event::RecordSaveEvent&) override {}

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.brl.adapter.ValidationAdapter"; }

 protected:
  ComputeRow& computeRow() override { return row_; }
  std::string getOutputNameNotAvailMsg() const override;
  void runRule() override;
  std::vector<InputRef> extraInputs() const override { return targetColumns_; }

 private:
  // Runs on record when it is dirty in a rule column; resets otherwise.
  void validateRecord(const RecordRef& record);
  void tell(bool holds);

  ValidationRow row_;                              // guarded by monitor_
  std::vector<OperatorRef> comparisionOperators_;  // guarded by monitor_
  std::vector<InputRef> targetColumns_;            // guarded by monitor_
  std::string customMessage_;                      // guarded by monitor_
  bool displayDialogOnFail_ = true;                // guarded by monitor_
  bool printMessageToLog_ = true;                  // guarded by monitor_
  bool prevUndoOperation_ = false;                 // guarded by monitor_
  mutable std::mutex listenersMutex_;
  std::vector<ListenerRef> listeners_;  // guarded by listenersMutex_
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
