// A JDBC driver for tests that stands for any driver class: it answers URLs "jdbc:scripted:<anything>", records
// every call on its connections, statements and result sets in a ScriptedDatabase, and fails where the script says.
// Queries answer one row with the single integer column 1. Thread-safe like the database it records in.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/Driver.h"
#include "testkit/sql/ScriptedDatabase.h"

namespace testkit {

class ScriptedDriver : public plat::sql::Driver {
 public:
  static constexpr const char* kUrlPrefix = "jdbc:scripted:";

  ScriptedDriver(std::string className, std::shared_ptr<ScriptedDatabase> database)
      : className_(std::move(className)), database_(std::move(database)) {}

  plat::lang::Ref<plat::sql::Connection> connect(const std::string& url, const plat::util::Properties& info) override;
  bool acceptsURL(const std::string& url) override { return url.rfind(kUrlPrefix, 0) == 0; }
  std::vector<plat::sql::DriverPropertyInfo> getPropertyInfo(const std::string&,
                                                             const plat::util::Properties&) override {
    return {};
  }
  int getMajorVersion() override { return 1; }
  int getMinorVersion() override { return 0; }
  bool jdbcCompliant() override { return false; }
  std::string getClassName() const override { return className_; }

  // Enters className in the class registry, made as a scripted driver over database, and takes any driver of that
  // class out of the driver manager so that the next bean registers a fresh one.
  static void registerClass(const std::string& className, std::shared_ptr<ScriptedDatabase> database);

 private:
  std::string className_;
  std::shared_ptr<ScriptedDatabase> database_;
};

}  // namespace testkit
