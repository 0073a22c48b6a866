// Module entry of Drivella: registers the driver with the platform's driver manager and the driver's classes that
// are created or recognised by name.
#include "platform/runvale/ModuleInit.h"

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/jdbc/CallableStatement.h"
#include "quenlora/zafoli/db/jdbc/Connection.h"
#include "quenlora/zafoli/db/jdbc/DatabaseMetaData.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/jdbc/PreparedStatement.h"
#include "quenlora/zafoli/db/jdbc/ResultSet.h"
#include "quenlora/zafoli/db/jdbc/ResultSetMetaData.h"
#include "quenlora/zafoli/db/jdbc/Statement.h"

namespace {

void add(plat::runvale::ClassRegistry& registry, const std::string& name, plat::runvale::Factory factory,
         std::vector<std::string> interfaces) {
  plat::runvale::ClassInfo info;
  info.name = name;
  info.factory = std::move(factory);
  info.interfaces = std::move(interfaces);
  registry.registerClass(std::move(info));
}

}  // namespace

extern "C" void runvale_module_init(plat::runvale::ClassRegistry& registry) {
  using namespace quenlora::zafoli::db::jdbc;
  add(registry, Driver::kClassName, [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<Driver>()); },
      {"java.sql.Driver"});
  // Made only by the driver's own objects; registered so that callers can tell them by name.
  add(registry, Connection::kClassName, nullptr, {"java.sql.Connection"});
  add(registry, Statement::kClassName, nullptr, {"java.sql.Statement"});
  add(registry, PreparedStatement::kClassName, nullptr, {"java.sql.PreparedStatement", "java.sql.Statement"});
  add(registry, CallableStatement::kClassName, nullptr,
      {"java.sql.CallableStatement", "java.sql.PreparedStatement", "java.sql.Statement"});
  add(registry, ResultSet::kClassName, nullptr, {"java.sql.ResultSet"});
  add(registry, ResultSetMetaData::kClassName, nullptr, {"java.sql.ResultSetMetaData"});
  add(registry, DatabaseMetaData::kClassName, nullptr, {"java.sql.DatabaseMetaData"});
  registerDriver();
}
