// Server object "TRIVODriver": made by "proxy" "new" with the engine, server, database, user and password texts;
// its method 0 checks the login and opens a database connection, answering with the id of a new TRIVOConnection.
// Keeps only read-only settings, so any thread may call it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sql/Connection.h"
#include "testkit/middleware/MiddlewareServer.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/SqlScript.h"

namespace testkit::middleware::sql {

struct DriverSettings {
  std::string databaseUrl;  // the platform driver URL of the database every connection opens
  bool checkLogin = false;  // when set, only user and password below may log in
  std::string user;
  std::string password;
};

// Opens the database of settings for the objects of one scope, which use it only under the scope's lock, so
// SQLite does not lock it again on each call.
plat::lang::Ref<plat::sql::Connection> openScopeConnection(const DriverSettings& settings);

class TRIVODriver : public ServerObject {
 public:
  static constexpr int METHOD_connect = 0;
  static constexpr std::int32_t kLoginFailedId = 18456;

  TRIVODriver(MiddlewareServer& server, std::shared_ptr<const DriverSettings> settings,
              std::shared_ptr<SqlScript> script)
      : server_(server), settings_(std::move(settings)), script_(std::move(script)) {}

  std::vector<Encoded> invoke(int method, const std::vector<Arg>& args) override;

 private:
  MiddlewareServer& server_;  // back reference: the server owns this object
  std::shared_ptr<const DriverSettings> settings_;
  std::shared_ptr<SqlScript> script_;
};

}  // namespace testkit::middleware::sql
