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

using plat::runvale::registerNew;

void registerJdbcClasses(plat::runvale::ClassRegistry& registry) {
  registerNew<JdbcConnection>(registry, JdbcConnection::kClassName, {"quenlora.zafoli.db.beans.binding.Connection"});
  ConnectionManager::registerClass(registry);
  RecordDefinition::registerClasses(registry);
  registerNew<DefaultConnectFailedListener>(registry, DefaultConnectFailedListener::kClassName,
                                            {ConnectFailedListener::kInterfaceName});
  // Abstract: the application's adapter-fed row classes name it as their superclass.
  plat::runvale::ClassInfo sqlRows;
  sqlRows.name = SQLRecordDefinition::kClassName;
  sqlRows.superclass = BaseRecordDefinition::kClassName;
  registry.registerClass(std::move(sqlRows));
  registerNew<QueryNavigator>(registry, QueryNavigator::kClassName,
                              {"quenlora.zafoli.db.beans.jdbc.SQLAdapterEventListener"},
                              "quenlora.zafoli.db.beans.binding.QueryNavigator");
  registerNew<SQLAdapter>(registry, SQLAdapter::kClassName, {});
  registerNew<StoredProcedureAdapter>(registry, StoredProcedureAdapter::kClassName, {}, SQLAdapter::kClassName);
  registerNew<StoredProcedureTrigger>(registry, StoredProcedureTrigger::kClassName,
                                      {"quenlora.zafoli.db.beans.binding.event.RecordNavigateEventListener"});
  const std::string base = JdbcResource::kBaseName;
  registerNew<JdbcResource>(registry, base, {});
  registerNew<JdbcResource_de>(registry, base + "_de", {}, base);
  registerNew<JdbcResource_fr>(registry, base + "_fr", {}, base);
  registerNew<JdbcResource_ja>(registry, base + "_ja", {}, base);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
