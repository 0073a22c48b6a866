#include "testkit/middleware/sql/TRIVODriver.h"

#include "platform/sql/DriverManager.h"
#include "platform/sqlite/SqliteDriver.h"
#include "platform/util/Properties.h"
#include "testkit/middleware/sql/ObjectScope.h"
#include "testkit/middleware/sql/SqlWire.h"
#include "testkit/middleware/sql/TRIVOConnection.h"

namespace testkit::middleware::sql {

std::vector<Encoded> TRIVODriver::invoke(int method, const std::vector<Arg>& args) {
  if (method != METHOD_connect) noSuchMethod("TRIVODriver", method);
  auto scope = std::make_shared<ObjectScope>(server_, script_);
  return scope->call([&]() -> std::vector<Encoded> {
    const ArgReader a(args, "TRIVODriver.connect");
    const std::string user = a.text(3);
    const std::string password = a.text(4);
    if (settings_->checkLogin && (user != settings_->user || password != settings_->password)) {
      throw ServerFailure(kLoginFailedId, kCategoryConnectionFailed, "Login failed for user '" + user + "'.", "28000");
    }
    // Every use of the connection runs under the scope's lock, so SQLite need not lock it again on each call.
    auto connection = openScopeConnection(*settings_);
    return {MwEncode::dataInt(server_.addObject(std::make_shared<TRIVOConnection>(scope, std::move(connection))))};
  });
}

plat::lang::Ref<plat::sql::Connection> openScopeConnection(const DriverSettings& settings) {
  plat::util::Properties info;
  info.setProperty(plat::sql::sqlite::SqliteDriver::kThreadingProperty, plat::sql::sqlite::SqliteDriver::kOneAtATime);
  return plat::sql::DriverManager::getConnection(settings.databaseUrl, info);
}

}  // namespace testkit::middleware::sql
