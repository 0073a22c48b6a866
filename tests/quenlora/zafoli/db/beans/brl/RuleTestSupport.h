// What the rule tests share: the log entries heard on the task bus, the dialogs recorded by a headless dialog
// service, the US locale, a pinned daylight-saving time zone, rows built from plain values, and a data item of the
// bus.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/Value.h"
#include "platform/text/Locale.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::brl::testing {

class LogRecorder : public binding::taskbus::TaskBusEventListener {
 public:
  void handleTaskBusEvent(const binding::taskbus::TaskBusEvent& e) override {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(e.getMessage() + "|" + e.getSQL());
  }
  std::vector<std::string> entries() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return entries_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;  // guarded by mutex_
};

// For one test: US locale, New York time (a daylight-saving zone), log entries and dialogs recorded.
class RuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    util::LogWindowHelper::getInstance();
    plat::text::Locale::setDefault(plat::text::Locale::US);
    if (const char* old = std::getenv("TZ")) oldZone_ = old;
    setenv("TZ", "America/New_York", 1);
    tzset();
    binding::taskbus::TaskBus::getInstance()->addTaskBusEventListener(log);
    plat::gui::DialogService::setCurrent(dialogs);
  }
  void TearDown() override {
    plat::gui::DialogService::setCurrent(nullptr);
    binding::taskbus::TaskBus::getInstance()->removeTaskBusEventListener(log);
    if (oldZone_) {
      setenv("TZ", oldZone_->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
    plat::text::Locale::setDefault(savedLocale_);
  }
  std::vector<std::string> dialogTexts() const {
    std::vector<std::string> texts;
    for (const auto& request : dialogs->shown()) texts.push_back(request.text);
    return texts;
  }

  std::shared_ptr<LogRecorder> log = std::make_shared<LogRecorder>();
  std::shared_ptr<plat::gui::HeadlessDialogService> dialogs = std::make_shared<plat::gui::HeadlessDialogService>();

 private:
  plat::text::Locale savedLocale_ = plat::text::Locale::getDefault();
  std::optional<std::string> oldZone_;
};

// A data item "cfg@LIMIT" on the bus, as an application's settings bean would publish it. Make it with makeRef.
class Setting : public binding::SingleRowBDSSupport {
 public:
  void publish(const plat::lang::Value& value) {
    setValues(0, value);
    if (!published_) {
      setMediatorDS(plat::lang::makeRef<binding::MediatorDS>());
      setDataBinding(binding::Name("cfg", "LIMIT"));
      published_ = true;
    }
    triggerUI();
  }

 private:
  bool published_ = false;
};

inline std::shared_ptr<ConstantMember> constant(plat::lang::Value value) {
  return std::make_shared<ConstantMember>(std::move(value), 0);
}

inline DerivationRow derivationRow(const std::vector<plat::lang::Value>& values) {
  DerivationRow row;
  for (const auto& value : values) row.addSourceColumnMember(constant(value));
  return row;
}

inline ValidationRow validationRow(plat::lang::Value source, const std::string& op, plat::lang::Value target) {
  ValidationRow row;
  row.addSourceColumnMember(constant(std::move(source)));
  row.addComparisionOperator(std::make_shared<OperatorMember>(op));
  row.addTargetColumnMember(constant(std::move(target)));
  return row;
}

}  // namespace quenlora::zafoli::db::beans::brl::testing
