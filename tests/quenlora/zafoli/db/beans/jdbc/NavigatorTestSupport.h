// Shared set-up of the JDBC navigator tests on SQLite: a database file of the test's own behind a connection bean
// entered as "db", row classes over its DEPT and EMP tables, and the navigators a test makes, closed after it.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"
#include "testkit/beans/JdbcTableRecord.h"
#include "tests/quenlora/zafoli/db/beans/jdbc/AdapterTestSupport.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SqliteNavigatorTest : public AdapterTest {
 protected:
  // Makes the test's database, runs `schema` on it (which makes DEPT and EMP) and names the row classes dept_ and
  // emp_ after the test, so that tests never share a class or a file.
  void open(std::initializer_list<const char*> schema) {
    AdapterTest::SetUp();
    binding::databus::DataBus::initialize();
    plat::sql::sqlite::registerSqliteDriver();
    plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(test->test_suite_name()) + "." + test->name();
    path_ = std::filesystem::temp_directory_path() / ("jdbc-nav-" + std::to_string(::getpid()) + "-" + name + ".db");
    std::filesystem::remove(path_);
    bean_ = plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                                "jdbc:sqlite:" + path_.string(), "", "");
    offer(bean_);
    bean_->connect();
    for (const char* sql : schema) {
      auto statement = bean_->createStatement();
      bean_->executeStatement(statement, sql, sql);
      bean_->closeStatement(statement);
    }
    dept_ = "test.jdbcnav." + name + ".Dept";
    emp_ = "test.jdbcnav." + name + ".Emp";
    auto& registry = plat::runvale::ClassRegistry::instance();
    testkit::beans::JdbcTableRecord::registerClass(registry, dept_, "DEPT", managerClass_, "db");
    testkit::beans::JdbcTableRecord::registerClass(registry, emp_, "EMP", managerClass_, "db");
  }
  void TearDown() override {
    for (auto& navigator : navigators_) navigator->close();
    navigators_.clear();
    bean_->setConnectionClosed(true);
    std::filesystem::remove(path_);
    binding::databus::DataBus::initialize();
    AdapterTest::TearDown();
  }

  plat::lang::Ref<QueryNavigator> navigator(const std::string& className, const std::string& alias,
                                            const std::string& master = "") {
    auto made = plat::lang::makeRef<QueryNavigator>();
    made->setClassName(className);
    if (!master.empty()) made->setMasterAliasName(master);
    made->setAliasName(alias);
    navigators_.push_back(made);
    return made;
  }

  plat::lang::Ref<JdbcConnection> bean_;
  std::filesystem::path path_;
  std::string dept_, emp_;
  std::vector<plat::lang::Ref<QueryNavigator>> navigators_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
