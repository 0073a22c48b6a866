#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"

#include <map>
#include <mutex>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetEnumeration.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;
using plat::thread::Synchronized;

std::atomic<bool> RecordDefinition::log_{false};
std::atomic<bool> RecordDefinition::debug_{false};

namespace {

// The class-wide tables of settings, keyed by the row class's name; they live for the process.
struct Settings {
  std::mutex mutex;
  std::map<std::string, RecordDefinition::DesignTimeProperties> designTime;  // guarded by mutex
  std::map<std::string, RecordDefinition::RunTimeProperties> runTime;        // guarded by mutex
};

Settings& settings() {
  static Settings* const table = new Settings();  // never destroyed: rows may outlive static destruction order
  return *table;
}

}  // namespace

// --- settings ------------------------------------------------------------------------------------------------

RecordDefinition::DesignTimeProperties RecordDefinition::designTime() const {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  return s.designTime[getKey()];
}

void RecordDefinition::updateDesignTime(const std::function<void(DesignTimeProperties&)>& change) {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  change(s.designTime[getKey()]);
}

std::string RecordDefinition::getTableName() const {
  return designTime().tableName;
}

void RecordDefinition::setTableName(const std::string& tableName) {
  Synchronized sync(m_Lock);
  updateDesignTime([&](DesignTimeProperties& p) {
    if (p.tableName != tableName || tableName.empty()) {
      p.dataModelChanged = true;
      p.designTimeDataChanged = true;
    }
    p.tableName = tableName;
    p.columns.reset();
  });
}

std::optional<std::vector<std::string>> RecordDefinition::getColumns() const {
  return designTime().columns;
}

void RecordDefinition::setColumns(const std::optional<std::vector<std::string>>& columns) {
  Synchronized sync(m_Lock);
  updateDesignTime([&](DesignTimeProperties& p) { p.columns = columns; });
}

void RecordDefinition::addColumn(const std::string& name) {
  Synchronized sync(m_Lock);
  updateDesignTime([&](DesignTimeProperties& p) {
    if (!p.columns) p.columns.emplace();
    p.columns->push_back(name);
  });
}

std::string RecordDefinition::getConnectionName() const {
  return designTime().connectionName;
}

void RecordDefinition::setConnectionName(const std::string& name) {
  Synchronized sync(m_Lock);
  updateDesignTime([&](DesignTimeProperties& p) { p.connectionName = name; });
}

std::string RecordDefinition::getConnectionManagerClassName() const {
  return designTime().managerClassName;
}

void RecordDefinition::setConnectionManagerClassName(const std::string& className) {
  Synchronized sync(m_Lock);
  updateDesignTime([&](DesignTimeProperties& p) {
    if (p.managerClassName != className) {
      p.dataModelChanged = true;
      p.designTimeDataChanged = true;
    }
    p.managerClassName = className;
  });
}

// --- connection ----------------------------------------------------------------------------------------------

RecordDefinition::RunTimeProperties& RecordDefinition::runTimeLocked() {
  // The table's entries are never removed, so the row keeps the address of its class's entry.
  if (m_RunTime == nullptr) m_RunTime = &settings().runTime[getKey()];
  return *m_RunTime;
}

Ref<ConnectionManager> RecordDefinition::getConnectionManager() {
  const std::string className = getConnectionManagerClassName();
  {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    if (auto held = runTimeLocked().connectionManager) return held;
  }
  Ref<ConnectionManager> manager = ConnectionManager::getManager(className);
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  auto& held = runTimeLocked().connectionManager;
  if (!held) held = manager;
  return held;
}

Ref<JdbcConnection> RecordDefinition::getJdbcConnection() {
  if (plat::beans::Beans::isDesignTime()) {
    if (auto held = designTime().dtJdbcConnection) return held;
    try {
      auto bean = getConnectionManager()->getDesignTimeConnection(getConnectionName());
      updateDesignTime([&](DesignTimeProperties& p) { p.dtJdbcConnection = bean; });
      return bean;
    } catch (const SQLException& e) {
      throw plat::lang::RuntimeException(e.getMessage());
    }
  }
  auto& s = settings();
  {
    std::lock_guard lock(s.mutex);
    if (auto held = runTimeLocked().jdbcConnection) return held;
  }
  auto manager = getConnectionManager();
  // Serialised per process, so the registry counts one user for the row class however many rows ask at once.
  static std::mutex taking;
  std::lock_guard takeLock(taking);
  {
    std::lock_guard lock(s.mutex);
    if (auto held = runTimeLocked().jdbcConnection) return held;
  }
  Ref<JdbcConnection> bean = manager->getConnectionBean(getConnectionName());
  // A registry that answered none is asked again next time rather than leaving the class without a bean.
  if (bean) {
    std::lock_guard lock(s.mutex);
    runTimeLocked().jdbcConnection = bean;
  }
  return bean;
}

Ref<binding::Connection> RecordDefinition::getConnection() {
  return getJdbcConnection();
}

void RecordDefinition::releaseConnection() {
  if (plat::beans::Beans::isDesignTime()) return;
  Ref<ConnectionManager> manager;
  {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    auto& run = runTimeLocked();
    if (!run.jdbcConnection) return;
    run.jdbcConnection = nullptr;
    manager = run.connectionManager;
  }
  if (manager) manager->releaseConnection(getConnectionName());
}

void RecordDefinition::close() {
  // A row holds no statement of its own between saves; closing forgets its last write text.
  try {
    Synchronized sync(m_Lock);
    m_SQL = nullptr;
    m_HasSQL = false;
  } catch (...) {
    // Closing never fails.
  }
}

// --- required of a row class ---------------------------------------------------------------------------------

void RecordDefinition::mustBeOverridden(const std::string& operation) {
  throw plat::lang::RuntimeException(JdbcResourceLoader::text("BaseRecordDefinition_Overridden") + operation);
}

Ref<binding::PersistentObjectModel> RecordDefinition::getDataModel() {
  mustBeOverridden("getDataModel()");
}
Ref<plat::sql::PreparedStatement> RecordDefinition::getInsertStatement() {
  mustBeOverridden("getInsertStatement()");
}
Ref<plat::sql::PreparedStatement> RecordDefinition::getUpdateStatement() {
  mustBeOverridden("getUpdateStatement()");
}
Ref<plat::sql::PreparedStatement> RecordDefinition::getDeleteStatement() {
  mustBeOverridden("getDeleteStatement()");
}

Ref<DataModel> RecordDefinition::model() {
  auto held = getDataModel();
  const DataModel* table = DataModel::of(held);
  if (table == nullptr) throw plat::lang::IllegalStateException("The row class has no table model");
  return Ref<DataModel>(held, const_cast<DataModel*>(table));
}

void RecordDefinition::unexpectedIn(const std::string& operation, const plat::lang::Throwable& cause) {
  if (getDebug()) {
    plat::lang::System::out().println("ERROR in RecordDefinition in the method " + operation + ": " +
                                      "error message: " + cause.getMessage() +
                                      " ; instance of : " + cause.getClassName());
  }
  throw RecordDefinitionException("Unexpected error in RecordDefinition : " + operation);
}

void RecordDefinition::setSQLAdapter(const Ref<plat::lang::Object>& /*adapter*/) {
  throw RecordDefinitionException(JdbcResourceLoader::text("RecordDefinition_NotApply") + "setSQLAdapter");
}

// --- saving --------------------------------------------------------------------------------------------------

int RecordDefinition::save() {
  Synchronized sync(m_Lock);
  Ref<JdbcConnection> bean = getJdbcConnection();
  if (!bean) throw SQLException("The connection is closedsave");
  const int operation = getOperation();
  if (bean->isConnectionClosed()) bean->connect();
  m_HasSQL = false;
  // The row class's statements of this save are prepared on the bean taken above.
  m_SaveBean = bean;
  struct Forget {
    Ref<JdbcConnection>& bean;
    ~Forget() { bean = nullptr; }
  } forget{m_SaveBean};
  Ref<plat::sql::PreparedStatement> statement;
  try {
    std::string kind;
    switch (operation) {
      case NOTHING_OPERATION:
        return 0;
      case INSERTED_OPERATION:
        statement = getInsertStatement();
        kind = "INSERT";
        break;
      case MODIFIED_OPERATION:
        statement = getUpdateStatement();
        kind = "UPDATE";
        break;
      case DELETED_OPERATION:
        statement = getDeleteStatement();
        kind = "DELETE";
        break;
      default:
        throw plat::lang::IllegalArgumentException("Unexpected error in RecordDefinition : save");
    }
    if (!m_HasSQL || !statement) {
      bean->closeStatement(statement);
      return 0;
    }
    int count = 0;
    bool autoCommitted = false;
    if (operation == INSERTED_OPERATION) {
      count = bean->executeStatement(statement, kind, m_SQL->logged());
      if (count == 0) throw SQLException("Record could not be found in DB");
      autoCommitted = bean->isAutoCommit();
    } else {
      // An UPDATE or DELETE that reached more than this row is undone (in auto-commit) or fails its transaction.
      count = bean->executeRowWrite(statement, m_SQL->logged(), autoCommitted);
    }
    if (autoCommitted) resetState();
    bean->closeStatement(statement);
    return count;
  } catch (const plat::lang::Exception& e) {
    bean->closeStatement(statement);
    throw RecordDefinitionException(e.getMessage());
  }
}

std::string RecordDefinition::getStatement() {
  Synchronized sync(m_Lock);
  return m_HasSQL ? m_SQL->logged() : std::string();
}

int RecordDefinition::getColModif() {
  Synchronized sync(m_Lock);
  return colModif;
}

Ref<plat::sql::PreparedStatement> RecordDefinition::getStatement(Ref<plat::sql::PreparedStatement> statement,
                                                                 int kind) {
  if (statement) return statement;
  Synchronized sync(m_Lock);
  std::optional<SqlText> text;
  switch (kind) {
    case INSERT_SQL:
      text = insertText();
      break;
    case UPDATE_SQL:
      text = updateText();
      break;
    case DELETE_SQL:
      text = deleteText();
      break;
    default:
      throw plat::lang::IllegalArgumentException("Unexpected error in RecordDefinition : getStatement");
  }
  if (!text) return nullptr;
  Ref<JdbcConnection> bean = m_SaveBean ? m_SaveBean : getJdbcConnection();
  if (!bean) throw SQLException("The connection is closed");
  if (m_SQL) {
    *m_SQL = std::move(*text);
  } else {
    m_SQL = std::make_unique<SqlText>(std::move(*text));
  }
  m_HasSQL = true;
  return bean->prepareStatement(m_SQL->sql());
}

// --- queries -------------------------------------------------------------------------------------------------

Ref<binding::PersistentObject::RecordEnumeration> RecordDefinition::querySimilarObjects() {
  try {
    return querySimilarObjects("", nullptr, {});
  } catch (const SQLException& e) {
    throw plat::lang::RuntimeException(e.getMessage());
  }
}

Ref<binding::PersistentObject::RecordEnumeration> RecordDefinition::querySimilarObjects(
    const std::string& where, const std::vector<std::string>& orderBy) {
  return querySimilarObjects(where, nullptr, orderBy);
}

Ref<binding::PersistentObject::RecordEnumeration> RecordDefinition::querySimilarObjects(
    const std::string& where, const JoinsRef& joinRecordList, const std::vector<std::string>& orderBy) {
  Ref<JdbcConnection> bean;
  Ref<plat::sql::PreparedStatement> statement;
  try {
    bean = getJdbcConnection();
    if (!bean) throw SQLException("The connection is closed");
    if (bean->isConnectionClosed()) bean->connect();
    SqlText text = finalSelectText(where, joinRecordList, orderBy);
    statement = bean->prepareStatement(text.sql());
    if (joinRecordList) {
      int index = 0;
      auto records = joinRecordList->getJoinRecords();
      while (records && records->hasMoreElements()) {
        auto join = records->nextElement();
        const Value master = join->getMasterCurrentValue();
        if (!master.isNull()) text.bind(++index, master);
      }
      setQueryParameters(*statement, joinRecordList);
    }
    auto result = bean->executeQuery(statement, "", text.logged());
    Ref<plat::sql::ResultSetMetaData> metaData;
    try {
      metaData = result->getMetaData();
    } catch (const SQLException&) {
      // The rows are read by the table model's types; the result's description is only kept.
    }
    Ref<RecordDefinition> self = std::dynamic_pointer_cast<RecordDefinition>(weak_from_this().lock());
    if (!self) throw plat::lang::IllegalStateException("A row queries only when it is held by a reference");
    auto rows = plat::lang::makeRef<ResultSetEnumeration>(
        result, metaData, [self] { return self->newRow(); }, model()->getModelName());
    rows->ownStatement(statement, bean);
    return rows;
  } catch (const SQLException&) {
    if (bean && statement) bean->closeStatement(statement);
    throw;
  } catch (const plat::lang::Exception& e) {
    if (bean && statement) bean->closeStatement(statement);
    unexpectedIn("querySimilarObjects", e);
  }
}

// --- registration --------------------------------------------------------------------------------------------

void RecordDefinition::registerClasses(plat::runvale::ClassRegistry& registry) {
  plat::runvale::ClassInfo base;
  base.name = BaseRecordDefinition::kClassName;
  base.interfaces = {"quenlora.zafoli.db.beans.binding.PersistentObject"};
  registry.registerClass(std::move(base));
  plat::runvale::ClassInfo rows;
  rows.name = kClassName;
  rows.superclass = BaseRecordDefinition::kClassName;
  registry.registerClass(std::move(rows));
}

}  // namespace quenlora::zafoli::db::beans::jdbc
