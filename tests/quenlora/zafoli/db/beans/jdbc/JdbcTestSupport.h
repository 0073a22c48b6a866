// Shared set-up of the connection bean tests: a scripted driver under a class name of its own per test, the jdbc
// classes registered, a headless dialog service with scripted login answers, and run time (not design time).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/beans/Beans.h"
#include "platform/gui/DialogService.h"
#include "platform/gui/HeadlessDialogService.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "testkit/sql/ScriptedDriver.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ScriptedBeanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    registerJdbcClasses(plat::runvale::ClassRegistry::instance());
    plat::beans::Beans::setDesignTime(false);
    db_ = std::make_shared<testkit::ScriptedDatabase>();
    driverClass_ = std::string("test.Driver") + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    testkit::ScriptedDriver::registerClass(driverClass_, db_);
    dialogs_ = std::make_shared<plat::gui::HeadlessDialogService>();
    plat::gui::DialogService::setCurrent(dialogs_);
  }
  void TearDown() override { plat::gui::DialogService::setCurrent(nullptr); }

  plat::lang::Ref<JdbcConnection> bean(const std::string& password = "secret") {
    auto made = plat::lang::makeRef<JdbcConnection>(driverClass_, "jdbc:scripted:db", "ann", password);
    // Login failures reach the listeners added by the test only, unless a test asks for the dialog.
    made->setConnectFailedListener("none");
    return made;
  }

  std::shared_ptr<testkit::ScriptedDatabase> db_;
  std::string driverClass_;
  std::shared_ptr<plat::gui::HeadlessDialogService> dialogs_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
