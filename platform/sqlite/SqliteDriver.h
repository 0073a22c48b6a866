// The driver of SQLite databases, for URLs "jdbc:sqlite:<file>" and "jdbc:sqlite::memory:". Keeps no state, so any
// thread may use it. A connection may be used from several threads unless it is opened with kThreadingProperty set
// to kOneAtATime: then one thread at a time uses it and all it made (the caller orders them), which saves SQLite's
// lock on every call. kBusyTimeoutProperty (milliseconds, 0 = fail at once) bounds how long a statement waits for
// a lock another connection holds; a statement's query time-out, where set, takes its place.
#pragma once

#include <string>
#include <vector>

#include "platform/sql/Driver.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace plat::sql::sqlite {

class SqliteDriver : public Driver {
 public:
  static constexpr const char* kClassName = "plat.sql.sqlite.SqliteDriver";
  static constexpr const char* kUrlPrefix = "jdbc:sqlite:";
  static constexpr int kMajorVersion = 1;
  static constexpr int kMinorVersion = 0;
  static constexpr const char* kThreadingProperty = "sqliteThreading";
  static constexpr const char* kOneAtATime = "oneAtATime";
  static constexpr const char* kBusyTimeoutProperty = "busyTimeout";

  SqliteDriver() = default;

  // Null for a URL of another driver; SQLException when the database cannot be opened.
  plat::lang::Ref<Connection> connect(const std::string& url, const plat::util::Properties& info) override;
  bool acceptsURL(const std::string& url) override;
  std::vector<DriverPropertyInfo> getPropertyInfo(const std::string& url, const plat::util::Properties& info) override;
  int getMajorVersion() override { return kMajorVersion; }
  int getMinorVersion() override { return kMinorVersion; }
  bool jdbcCompliant() override { return false; }

  std::string getClassName() const override { return kClassName; }
};

// Registers the one SQLite driver with the DriverManager; a call while it is registered does nothing. Thread-safe.
void registerSqliteDriver();
// Enters the driver class in the registry under kClassName, so settings can name it as their driver.
void registerSqliteDriverClass(plat::runvale::ClassRegistry& registry);

}  // namespace plat::sql::sqlite
