#include "testkit/middleware/sql/SqlMiddlewareServer.h"

#include <unistd.h>

#include <atomic>

#include "platform/sql/DriverManager.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"
#include "testkit/middleware/sql/PMVTClientSession.h"

namespace testkit::middleware::sql {
namespace {

std::string memoryDatabaseUrl() {
  static std::atomic<int> next{0};
  // A named shared-cache memory database: every connection of one server sees the same data, other servers not.
  return "jdbc:sqlite:file:sqlmw_" + std::to_string(::getpid()) + "_" + std::to_string(next++) +
         "?mode=memory&cache=shared";
}

}  // namespace

SqlMiddlewareServer::SqlMiddlewareServer() : SqlMiddlewareServer(Options{}) {}

SqlMiddlewareServer::SqlMiddlewareServer(Options options)
    : settings_(std::make_shared<DriverSettings>()),
      script_(std::make_shared<SqlScript>()),
      terms_(std::make_shared<RecordSetTerms>()) {
  plat::sql::sqlite::registerSqliteDriver();
  settings_->databaseUrl = options.databaseFile.empty() ? memoryDatabaseUrl() : "jdbc:sqlite:" + options.databaseFile;
  settings_->checkLogin = options.checkLogin;
  settings_->user = options.user;
  settings_->password = options.password;
  keeper_ = plat::sql::DriverManager::getConnection(settings_->databaseUrl);
  MiddlewareServer::Options serverOptions;
  serverOptions.address = options.address;
  serverOptions.lifetimeMs = options.lifetimeMs;
  serverOptions.record = options.record;
  server_ = std::make_unique<MiddlewareServer>(serverOptions);
  std::shared_ptr<const DriverSettings> settings = settings_;
  auto script = script_;
  MiddlewareServer* server = server_.get();
  server_->registerClass("TRIVODriver", [server, settings, script](const std::string&, const std::vector<Arg>&) {
    return std::make_shared<TRIVODriver>(*server, settings, script);
  });
  auto terms = terms_;
  server_->registerClass("PMVTClientSession",
                         [server, settings, script, terms](const std::string&, const std::vector<Arg>&) {
                           return std::make_shared<PMVTClientSession>(*server, settings, script, terms);
                         });
}

SqlMiddlewareServer::~SqlMiddlewareServer() {
  server_->stop();
  try {
    keeper_->close();
  } catch (...) {
  }
}

std::string SqlMiddlewareServer::driverUrl(const std::string& engine) const {
  return "jdbc:orvo://" + address() + ":" + std::to_string(port()) + "/" + engine;
}

std::string SqlMiddlewareServer::recordSetUrl() const {
  return "orvo://" + address() + ":" + std::to_string(port());
}

void SqlMiddlewareServer::setRecordSetTerms(std::optional<std::string> catalogTerm,
                                            std::optional<std::string> schemaTerm) {
  std::lock_guard lock(terms_->mu);
  terms_->catalogTerm = std::move(catalogTerm);
  terms_->schemaTerm = std::move(schemaTerm);
}

void SqlMiddlewareServer::execute(const std::string& sql) {
  auto stmt = keeper_->createStatement();
  stmt->execute(sql);
  stmt->close();
}

}  // namespace testkit::middleware::sql
