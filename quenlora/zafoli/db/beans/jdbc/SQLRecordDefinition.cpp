#include "quenlora/zafoli/db/beans/jdbc/SQLRecordDefinition.h"

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetEnumeration.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::sql::SQLException;
using plat::thread::Synchronized;

std::atomic<bool> SQLRecordDefinition::debug_{false};

namespace {

const std::string kPrefix = "SQLRecordDefinition.";

std::string noAdapterText() {
  return JdbcResourceLoader::text("SQLRecordDefinition_NoSQL");
}

}  // namespace

void SQLRecordDefinition::unexpectedIn(const std::string& operation, const std::exception& cause) {
  if (debug_.load()) plat::lang::System::out().println("Error in " + kPrefix + operation + ": " + cause.what());
  throw RecordDefinitionException(JdbcResourceLoader::text("BaseRecordDefinition_Unexpected") + kPrefix + operation);
}

void SQLRecordDefinition::notApplicable(const std::string& operation) {
  throw RecordDefinitionException(JdbcResourceLoader::text("SQLRecordDefinition_NotApply") + kPrefix + operation);
}

Ref<SQLAdapter> SQLRecordDefinition::getSQLAdapter() const {
  Synchronized sync(m_Lock);
  return m_SQLAdapter;
}

void SQLRecordDefinition::setSQLAdapter(const Ref<plat::lang::Object>& adapter) {
  Synchronized sync(m_Lock);
  m_SQLAdapter = std::dynamic_pointer_cast<SQLAdapter>(adapter);
}

Ref<SQLAdapter> SQLRecordDefinition::requireAdapter() const {
  Ref<SQLAdapter> adapter = getSQLAdapter();
  if (!adapter) throw SQLException(noAdapterText());
  return adapter;
}

void SQLRecordDefinition::executeSQLAdapter() {
  Ref<SQLAdapter> adapter = requireAdapter();
  try {
    {
      Synchronized sync(m_Lock);
      m_SQL = adapter->getSQLText();
    }
    adapter->execute();
  } catch (const SQLException&) {
    throw;
  } catch (const plat::lang::RuntimeException& e) {
    unexpectedIn("executeSQLAdapter", e);
  }
}

Ref<SQLRecordDefinition::RecordEnumeration> SQLRecordDefinition::getSQLAdapterResultSet() {
  Ref<SQLAdapter> adapter = requireAdapter();
  try {
    Ref<plat::sql::ResultSet> result = adapter->getResultSet();
    if (!result) throw SQLException(JdbcResourceLoader::text("SQLRecordDefinition_NoResult"));
    Ref<plat::sql::ResultSetMetaData> metaData = result->getMetaData();
    updateDataModel(*metaData);
    auto self = std::static_pointer_cast<BaseRecordDefinition>(shared_from_this());
    return plat::lang::makeRef<ResultSetEnumeration>(
        result, metaData, [self] { return self->newRow(); }, kModelName);
  } catch (const SQLException&) {
    throw;
  } catch (const plat::lang::RuntimeException& e) {
    unexpectedIn("getSQLAdapterResultSet", e);
  }
}

Ref<DataModel> SQLRecordDefinition::generateDataModel() {
  Ref<SQLAdapter> adapter = getSQLAdapter();
  auto model = plat::lang::makeRef<DataModel>(kModelName, "");
  if (!adapter) {
    if (plat::beans::Beans::isDesignTime()) return model;
    throw RecordDefinitionException(noAdapterText());
  }
  // The types are known once a result arrives (updateDataModel).
  for (const auto& name : adapter->getColumns()) {
    model->addColumnMetaData(plat::lang::makeRef<ColumnMetaData>(name, plat::sql::Types::OTHER));
  }
  return model;
}

void SQLRecordDefinition::updateDataModel(plat::sql::ResultSetMetaData& resultMetaData) {
  auto model = std::dynamic_pointer_cast<DataModel>(getDataModel());
  if (!model) return;
  const int count = resultMetaData.getColumnCount();
  for (int i = 0; i < count; ++i) {
    const int type = resultMetaData.getColumnType(i + 1);
    if (Ref<ColumnMetaData> column = model->getColumnMetaData(i)) {
      column->setDataType(type);
    } else {
      model->addColumnMetaData(plat::lang::makeRef<ColumnMetaData>(resultMetaData.getColumnName(i + 1), type));
    }
  }
}

int SQLRecordDefinition::save() {
  Synchronized sync(m_Lock);
  int count = 0;
  switch (getOperation()) {
    case binding::PersistentObject::NOTHING_OPERATION:
      return 0;
    case binding::PersistentObject::INSERTED_OPERATION:
      count = insert();
      break;
    case binding::PersistentObject::MODIFIED_OPERATION:
      count = update();
      break;
    case binding::PersistentObject::DELETED_OPERATION:
      count = deleteRow();
      break;
    default:
      throw plat::lang::IllegalArgumentException("Unexpected error in SQLRecordDefinition : save");
  }
  resetState();
  return count;
}

void SQLRecordDefinition::readOnly(const std::string& operation) {
  {
    Synchronized sync(m_Lock);
    m_SQL = "user defined " + operation + " statement";
  }
  throw RecordDefinitionException(JdbcResourceLoader::text("SQLRecordDefinition_Help1") + operation +
                                  JdbcResourceLoader::text("SQLRecordDefinition_Help2") + operation +
                                  JdbcResourceLoader::text("SQLRecordDefinition_Help3") + "public int " + operation +
                                  "()" + JdbcResourceLoader::text("SQLRecordDefinition_Help4"));
}

int SQLRecordDefinition::insert() {
  readOnly("insert");
}

int SQLRecordDefinition::update() {
  readOnly("update");
}

int SQLRecordDefinition::deleteRow() {
  readOnly("delete");
}

Ref<binding::Connection> SQLRecordDefinition::getConnection() {
  Ref<SQLAdapter> adapter = getSQLAdapter();
  if (!adapter) throw plat::lang::RuntimeException(noAdapterText());
  return adapter->getJdbcConnection();
}

std::string SQLRecordDefinition::getStatement() {
  Synchronized sync(m_Lock);
  return m_SQL;
}

Ref<SQLRecordDefinition::RecordEnumeration> SQLRecordDefinition::querySimilarObjects() {
  notApplicable("querySimilarObjects");
}

Ref<SQLRecordDefinition::RecordEnumeration> SQLRecordDefinition::querySimilarObjects(const std::string&,
                                                                                     const std::vector<std::string>&) {
  notApplicable("querySimilarObjects");
}

Ref<SQLRecordDefinition::RecordEnumeration> SQLRecordDefinition::querySimilarObjects(
    const std::string&, const Ref<binding::Synchronizable::JoinRecordList>&, const std::vector<std::string>&) {
  notApplicable("querySimilarObjects");
}

void SQLRecordDefinition::setValueAsQBE(int, const plat::lang::Value&, bool) {
  notApplicable("setValueAsQBE");
}

void SQLRecordDefinition::getQBEObjectValues(std::vector<std::string>&) {
  notApplicable("getQBEObjectValues");
}

void SQLRecordDefinition::checkQBEValues() {
  notApplicable("checkQBEValues");
}

Ref<binding::PersistentObjectModel> SQLRecordDefinition::getDataModel() {
  throw RecordDefinitionException(JdbcResourceLoader::text("BaseRecordDefinition_Overridden") + kPrefix +
                                  "getDataModel");
}

void SQLRecordDefinition::setDataModel(const Ref<DataModel>&) {
  throw RecordDefinitionException(JdbcResourceLoader::text("BaseRecordDefinition_Overridden") + kPrefix +
                                  "setDataModel");
}

}  // namespace quenlora::zafoli::db::beans::jdbc
