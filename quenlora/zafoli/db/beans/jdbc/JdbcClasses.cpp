#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/DefaultConnectFailedListener.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResource.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLRecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureTrigger.h"

namespace quenlora::zafoli::db::beans::jdbc {

namespace {

template <class T>
void add(plat::runvale::ClassRegistry& registry, const std::string& name, std::vector<std::string> interfaces,
         const std::string& superclass = "") {
  plat::runvale::ClassInfo info;
  info.name = name;
  info.factory = [] { return plat::lang::Ref<plat::lang::Object>(plat::lang::makeRef<T>()); };
  info.interfaces = std::move(interfaces);
  info.superclass = superclass;
  registry.registerClass(std::move(info));
}

}  // namespace

void registerJdbcClasses(plat::runvale::ClassRegistry& registry) {
  add<JdbcConnection>(registry, JdbcConnection::kClassName, {"quenlora.zafoli.db.beans.binding.Connection"});
  ConnectionManager::registerClass(registry);
  RecordDefinition::registerClasses(registry);
  add<DefaultConnectFailedListener>(registry, DefaultConnectFailedListener::kClassName,
                                    {ConnectFailedListener::kInterfaceName});
  // Abstract: the application's adapter-fed row classes name it as their superclass.
  plat::runvale::ClassInfo sqlRows;
  sqlRows.name = SQLRecordDefinition::kClassName;
  sqlRows.superclass = BaseRecordDefinition::kClassName;
  registry.registerClass(std::move(sqlRows));
  add<QueryNavigator>(registry, QueryNavigator::kClassName, {"quenlora.zafoli.db.beans.jdbc.SQLAdapterEventListener"},
                      "quenlora.zafoli.db.beans.binding.QueryNavigator");
  add<SQLAdapter>(registry, SQLAdapter::kClassName, {});
  add<StoredProcedureAdapter>(registry, StoredProcedureAdapter::kClassName, {}, SQLAdapter::kClassName);
  add<StoredProcedureTrigger>(registry, StoredProcedureTrigger::kClassName,
                              {"quenlora.zafoli.db.beans.binding.event.RecordNavigateEventListener"});
  const std::string base = JdbcResource::kBaseName;
  add<JdbcResource>(registry, base, {});
  add<JdbcResource_de>(registry, base + "_de", {}, base);
  add<JdbcResource_fr>(registry, base + "_fr", {}, base);
  add<JdbcResource_ja>(registry, base + "_ja", {}, base);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
