// A middleware test server with the SQL server objects registered ("TRIVODriver" and, through it, the
// connection, statement, result-set and metadata objects), backed by SQLite: one in-memory database shared by all
// connections of this server, or a database file. Tests and benchmarks start it, point the driver at driverUrl()
// and seed or inspect the data through execute() or their own connection. Canned answers go into script().
// Thread contract: all public methods may be called from any thread; the server stops when the object goes.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/sql/Connection.h"
#include "testkit/middleware/MiddlewareServer.h"
#include "testkit/middleware/sql/PMVTClientSession.h"
#include "testkit/middleware/sql/SqlScript.h"
#include "testkit/middleware/sql/TRIVODriver.h"

namespace testkit::middleware::sql {

class SqlMiddlewareServer {
 public:
  struct Options {
    std::string address = "127.0.0.1";  // must lie in 127.0.0.0/8
    std::string databaseFile;           // empty: a shared in-memory database that lives as long as the server
    bool checkLogin = false;            // when set, only user and password may log in; others get a login error
    std::string user;
    std::string password;
    int lifetimeMs = MiddlewareServer::kDefaultLifetimeMs;
    bool record = true;  // off for benchmarks (see MiddlewareServer::Options)
  };

  SqlMiddlewareServer();
  explicit SqlMiddlewareServer(Options options);
  ~SqlMiddlewareServer();
  SqlMiddlewareServer(const SqlMiddlewareServer&) = delete;
  SqlMiddlewareServer& operator=(const SqlMiddlewareServer&) = delete;

  MiddlewareServer& server() { return *server_; }
  const std::string& address() const { return server_->address(); }
  int port() const { return server_->port(); }
  // "jdbc:orvo://<address>:<port>/<engine>".
  std::string driverUrl(const std::string& engine = "sqlite") const;
  // "orvo://<address>:<port>", the URL of a record-set session.
  std::string recordSetUrl() const;
  // Catalog and schema terms the record-set metadata reports instead of the database's (nullopt: its own).
  void setRecordSetTerms(std::optional<std::string> catalogTerm, std::optional<std::string> schemaTerm);
  // The platform driver URL of the database behind the server.
  const std::string& databaseUrl() const { return settings_->databaseUrl; }
  SqlScript& script() { return *script_; }

  // Runs SQL on the server's own connection to the database (seeding, checking), outside any client's session.
  void execute(const std::string& sql);
  // The server's own connection; use it from one thread at a time.
  const plat::lang::Ref<plat::sql::Connection>& database() const { return keeper_; }

 private:
  std::shared_ptr<DriverSettings> settings_;
  std::shared_ptr<SqlScript> script_;
  std::shared_ptr<RecordSetTerms> terms_;
  plat::lang::Ref<plat::sql::Connection> keeper_;  // keeps a shared in-memory database alive
  std::unique_ptr<MiddlewareServer> server_;       // declared last: stops before what its objects use goes
};

}  // namespace testkit::middleware::sql
