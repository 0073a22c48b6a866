// Shared set-up of the SQL adapter tests: a connection registry made by a class name of its own per test (so the
// adapter finds it through the class registry as an application's would), and a recorder of the library's log.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/JdbcTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {

// Every log entry as "title|text".
class LogRecorder : public binding::taskbus::TaskBusEventListener {
 public:
  void handleTaskBusEvent(const binding::taskbus::TaskBusEvent& e) override {
    std::lock_guard lock(mutex_);
    entries_.push_back(e.getMessage() + "|" + e.getSQL());
  }
  std::vector<std::string> entries() const {
    std::lock_guard lock(mutex_);
    return entries_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

// Counts the adapter's events: "before" and "after:<result set made>".
class AdapterEvents : public SQLAdapterEventListener {
 public:
  void beforeExecute(const SQLAdapterEvent& event) override {
    seen.push_back(event.getType() == SQLAdapterEvent::SQL_EXECUTING ? "before" : "wrong");
  }
  void afterExecute(const SQLAdapterEvent& event) override {
    seen.push_back(std::string(event.getType() == SQLAdapterEvent::SQL_EXECUTED ? "after:" : "wrong:") +
                   (event.isResultSetCreated() ? "rs" : "none"));
  }
  std::vector<std::string> seen;
};

class AdapterTest : public ScriptedBeanTest {
 protected:
  void SetUp() override {
    ScriptedBeanTest::SetUp();
    util::LogWindowHelper::getInstance();
    binding::taskbus::TaskBus::getInstance()->addTaskBusEventListener(log_);
    manager_ = plat::lang::makeRef<ConnectionManager>();
    managerClass_ = "test.Manager" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    auto manager = manager_;
    plat::runvale::ClassRegistry::instance().registerClass(
        {managerClass_, [manager] { return plat::lang::Ref<plat::lang::Object>(manager); }, {}, ""});
  }
  void TearDown() override {
    binding::taskbus::TaskBus::getInstance()->removeTaskBusEventListener(log_);
    ScriptedBeanTest::TearDown();
  }

  // Enters bean in this test's registry under identifier "db".
  void offer(const plat::lang::Ref<JdbcConnection>& bean) {
    bean->setIdentifier("db");
    manager_->add(bean);
  }
  plat::lang::Ref<SQLAdapter> adapter(const std::string& sql, SQLAdapter::Parameters parameters = {}) {
    return plat::lang::makeRef<SQLAdapter>(managerClass_, "db", sql, std::move(parameters));
  }

  std::shared_ptr<LogRecorder> log_ = std::make_shared<LogRecorder>();
  plat::lang::Ref<ConnectionManager> manager_;
  std::string managerClass_;
};

inline plat::lang::Ref<ParameterMetaData> param(const std::string& name, int index, int kind, int type) {
  return plat::lang::makeRef<ParameterMetaData>(name, index, kind, type);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
