// The table model of a row class, read from the database, and the development tool's cached model and sample rows.
#include <map>
#include <set>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/ResultSetHelper.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;
using plat::sql::Types;

namespace {

std::string withoutBrackets(std::string name) {
  if (name.size() >= 2 && name.front() == '[' && name.back() == ']') return name.substr(1, name.size() - 2);
  return name;
}

// Reads one attribute of the result description; a driver that cannot say leaves the default.
template <class Read>
void attempt(Read read) {
  try {
    read();
  } catch (const SQLException&) {
  }
}

}  // namespace

void RecordDefinition::announce(const std::string& text) {
  if (!getLog()) return;
  try {
    util::LogWindowHelper::getInstance().displayMsgToLog("MetaData", "MetaData: " + text);
  } catch (...) {
    // The log is a bystander.
  }
}

void RecordDefinition::requireDesignTime(const std::string& operation) const {
  if (!plat::beans::Beans::isDesignTime()) {
    throw plat::lang::RuntimeException("The following method should only be called at design time: " + operation);
  }
}

Ref<plat::sql::DatabaseMetaData> RecordDefinition::getDatabaseMetaData() {
  Ref<JdbcConnection> bean = getJdbcConnection();
  if (!bean) throw SQLException("The connection is closed");
  return bean->getMetaData();
}

Ref<DataModel> RecordDefinition::generateDataModel() {
  if (plat::beans::Beans::isDesignTime()) return getDesignTimeDataModel();
  Ref<JdbcConnection> bean = getJdbcConnection();
  if (!bean) throw SQLException("The connection is closed");
  return readDataModel(*bean);
}

Ref<DataModel> RecordDefinition::readDataModel(JdbcConnection& bean) {
  const std::string tableName = getTableName();
  auto dataModel = plat::lang::makeRef<DataModel>(tableName, "");
  auto meta = bean.getMetaData();
  attempt([&] { dataModel->setDatabaseProductName(meta->getDatabaseProductName()); });
  const std::size_t dot = tableName.find('.');
  const std::string bare = dot == std::string::npos ? tableName : tableName.substr(dot + 1);

  std::vector<std::string> keys;
  attempt([&] {
    auto rs = meta->getPrimaryKeys(std::nullopt, std::nullopt, bare);
    while (rs->next()) keys.push_back(withoutBrackets(rs->getString(4)));
    rs->close();
  });
  for (const auto& key : keys) announce("primaryKeyName :" + key);
  if (keys.empty()) announce("NO PRIMARY KEYS HAVE BEEN FOUND");

  // Unique indexes by name, each with its columns in the index's order.
  std::map<std::string, std::vector<std::string>> indexes;
  if (keys.empty()) {
    attempt([&] {
      auto rs = meta->getIndexInfo(std::nullopt, std::nullopt, bare, true, false);
      while (rs->next()) {
        const std::string column = rs->getString(9);
        if (rs->wasNull() || column.empty()) continue;
        indexes[rs->getString(6)].push_back(withoutBrackets(column));
      }
      rs->close();
    });
    for (const auto& [name, columns] : indexes) {
      for (const auto& column : columns) announce("indexName :" + name + " column :" + column);
    }
    if (indexes.empty()) announce("NO INDEXES HAVE BEEN FOUND");
  }

  auto statement = bean.createStatement();
  try {
    const std::string sql = makeEmptyResultSetSQLString();
    auto rs = bean.executeQuery(statement, sql, sql);
    auto rsMeta = rs->getMetaData();
    std::set<std::string> names;
    const int count = rsMeta->getColumnCount();
    for (int c = 1; c <= count; ++c) {
      auto column = plat::lang::makeRef<ColumnMetaData>();
      attempt([&] { column->setName(rsMeta->getColumnName(c)); });
      attempt([&] { column->setDataType(rsMeta->getColumnType(c)); });
      if (column->getDataType() == Types::CHAR || column->getDataType() == Types::VARCHAR) {
        attempt([&] { column->setDisplaySize(rsMeta->getColumnDisplaySize(c)); });
      }
      attempt([&] { column->setIsComparable(rsMeta->isSearchable(c)); });
      attempt([&] { column->setIsAutoIncrement(rsMeta->isAutoIncrement(c)); });
      attempt([&] { column->setIsReadOnly(rsMeta->isReadOnly(c)); });
      attempt([&] { column->setIsSigned(rsMeta->isSigned(c)); });
      names.insert(column->getName());
      dataModel->addColumnMetaData(column);
      announce("column :" + column->getName() + " type :" + std::to_string(column->getDataType()));
    }
    rs->close();
    // A key identifies a row only when every one of its columns is among the row class's columns.
    auto covered = [&names](const std::vector<std::string>& columns) {
      for (const auto& c : columns) {
        if (!names.count(c)) return false;
      }
      return !columns.empty();
    };
    std::vector<std::string> identifying;
    if (covered(keys)) {
      identifying = keys;
    } else if (keys.empty()) {
      for (const auto& [name, columns] : indexes) {
        if (covered(columns)) {
          identifying = columns;
          break;
        }
      }
    }
    for (const auto& column : dataModel->columns()) {
      for (const auto& key : identifying) {
        if (column->getName() == key) column->setIsPrimaryKey(true);
      }
    }
    dataModel->setUnique(!identifying.empty());
  } catch (...) {
    bean.closeStatement(statement);
    throw;
  }
  bean.closeStatement(statement);
  return dataModel;
}

// --- design time ---------------------------------------------------------------------------------------------

Ref<DataModel> RecordDefinition::getDesignTimeDataModel() {
  requireDesignTime("getDesignTimeDataModel");
  const auto settings = designTime();
  if (settings.poModel && !settings.dataModelChanged) return settings.poModel;
  Ref<JdbcConnection> bean = getJdbcConnection();
  if (!bean) throw SQLException("The connection is closed");
  Ref<DataModel> made;
  if (bean->getDriverName() == JdbcConnection::POINTBASE_DRIVER) {
    // That driver cannot describe an empty result: the model is made from the column list alone.
    made = plat::lang::makeRef<DataModel>(settings.tableName, "");
    if (settings.columns) {
      for (const auto& name : *settings.columns)
        made->addColumnMetaData(plat::lang::makeRef<ColumnMetaData>(name, Types::VARCHAR));
    }
  } else {
    made = readDataModel(*bean);
  }
  updateDesignTime([&](DesignTimeProperties& p) {
    p.poModel = made;
    p.dataModelChanged = false;
  });
  return made;
}

std::vector<std::vector<Value>> RecordDefinition::getDesignTimeData() {
  requireDesignTime("getDesignTimeData");
  const auto settings = designTime();
  if (!settings.designTimeDataChanged) return settings.designTimeData;
  auto dataModel = getDesignTimeDataModel();
  Ref<JdbcConnection> bean = getJdbcConnection();
  std::vector<std::vector<Value>> rows;
  if (bean->getDriverName() == JdbcConnection::POINTBASE_DRIVER) {
    std::vector<Value> placeholder;
    for (const auto& column : dataModel->columns()) placeholder.emplace_back("<" + column->getName() + ">");
    rows.push_back(std::move(placeholder));
  } else {
    auto statement = bean->createStatement();
    try {
      const std::string sql = getSelectSQL();
      auto rs = bean->executeQuery(statement, sql, sql);
      const int count = dataModel->getMemberCount();
      while (rs->next()) {
        std::vector<Value> row;
        for (int c = 1; c <= count; ++c) {
          Value v = ResultSetHelper::getObject(*rs, c, dataModel->getColumnMetaData(c - 1)->getDataType());
          row.push_back(rs->wasNull() ? Value() : v);
        }
        rows.push_back(std::move(row));
      }
      rs->close();
    } catch (...) {
      bean->closeStatement(statement);
      throw;
    }
    bean->closeStatement(statement);
  }
  updateDesignTime([&](DesignTimeProperties& p) {
    p.designTimeData = rows;
    p.designTimeDataChanged = false;
  });
  return rows;
}

std::string RecordDefinition::getLastSelectSQL() {
  requireDesignTime("getLastSelectSQL");
  const std::string sql = getSelectSQL();
  updateDesignTime([&](DesignTimeProperties& p) { p.lastSelectSQL = sql; });
  return sql;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
