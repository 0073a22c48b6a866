// The entry point of the remote-proxy driver: parses jdbc:orvo://host:port/engine[/server[/database]], opens one
// client session to the middleware server, has the server's driver object make a connection and wraps it in a
// Connection proxy. Keeps no state, so any thread may use it.
#pragma once

#include <string>
#include <vector>

#include "platform/sql/Driver.h"
#include "platform/util/Properties.h"

namespace quenlora::zafoli::db::jdbc {

class Driver final : public plat::sql::Driver {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.Driver";
  static constexpr const char* SERVER_CLASS = "TRIVODriver";
  static constexpr const char* kConstructorSelector = "1";
  static constexpr int METHOD_connect = 0;
  // Connection property: read time-out in whole seconds (0, the default, waits without bound). A read that
  // waits longer loses the connection.
  static constexpr const char* kSocketTimeout = "socketTimeout";
  static constexpr int kMajorVersion = 1;
  static constexpr int kMinorVersion = 21;

  Driver() = default;

  // A new connection; SQLException with the parse message or the failure's text. A URL of another driver is
  // refused with "Unrecognized protocol." or "Unrecognized subprotocol.".
  plat::lang::Ref<plat::sql::Connection> connect(const std::string& url, const plat::util::Properties& info) override;
  // False for a URL of another driver; SQLException with the parse message for a malformed one of ours.
  bool acceptsURL(const std::string& url) override;
  // "user" and "password", both required and without a value.
  std::vector<plat::sql::DriverPropertyInfo> getPropertyInfo(const std::string& url,
                                                             const plat::util::Properties& info) override;
  int getMajorVersion() override { return kMajorVersion; }
  int getMinorVersion() override { return kMinorVersion; }
  bool jdbcCompliant() override { return true; }
  std::string getClassName() const override { return kClassName; }

  // The parts of a URL under the keys "host", "port", "engine", "server" and "database"; SQLException with the
  // parse message when it is not a well-formed URL of this driver.
  static plat::util::Properties parseURL(const std::string& url);
  // The parts of the subname "//host:port/engine[/server[/database]]".
  static plat::util::Properties parseSubname(const std::string& subname);
};

// Registers the one driver of the module with the platform's driver manager; later calls do nothing.
void registerDriver();

}  // namespace quenlora::zafoli::db::jdbc
