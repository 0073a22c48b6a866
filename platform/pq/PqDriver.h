// The driver of PostgreSQL databases, for URLs "jdbc:postgresql://host[:port]/database" with the properties "user"
// and "password"; the driver manager's login time-out bounds the connect, the property "socketTimeout" (seconds,
// 0 = none) every later wait for the server. Keeps no state, so any thread may use it.
#pragma once

#include <string>
#include <vector>

#include "platform/sql/Driver.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace plat::sql::pq {

class PqDriver : public Driver {
 public:
  static constexpr const char* kClassName = "plat.sql.pq.PqDriver";
  static constexpr const char* kUrlPrefix = "jdbc:postgresql://";
  static constexpr const char* kSocketTimeoutProperty = "socketTimeout";

  PqDriver() = default;

  // Null for a URL of another driver; SQLException for a malformed URL or when the connection cannot be made.
  plat::lang::Ref<Connection> connect(const std::string& url, const plat::util::Properties& info) override;
  bool acceptsURL(const std::string& url) override;
  std::vector<DriverPropertyInfo> getPropertyInfo(const std::string& url, const plat::util::Properties& info) override;
  int getMajorVersion() override { return 1; }
  int getMinorVersion() override { return 0; }
  bool jdbcCompliant() override { return false; }

  std::string getClassName() const override { return kClassName; }
};

// Registers one PostgreSQL driver with the DriverManager; a call while it is registered does nothing. Thread-safe.
void registerPqDriver();
// Enters the driver class in the registry under kClassName, so settings can name it as their driver.
void registerPqDriverClass(plat::runvale::ClassRegistry& registry);

}  // namespace plat::sql::pq
