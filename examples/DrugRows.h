// The example's table DRUG in an SQLite file, its connection bean and its row class, shared by the Tethra examples.
#pragma once

#include <string>

#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinition.h"

namespace beans = quenlora::zafoli::db::beans;
namespace jdbc = quenlora::zafoli::db::beans::jdbc;
using plat::lang::makeRef;
using plat::lang::Ref;

// The row class of table DRUG. Tethra writes the SELECT and the INSERT, UPDATE and DELETE of a save; the row class
// gives the table's model (read from the database once) and binds each statement's values.
class DrugRow : public jdbc::RecordDefinition {
 public:
  static constexpr const char* kClassName = "example.DrugRow";
  std::string getClassName() const override { return kClassName; }

  Ref<beans::binding::PersistentObjectModel> getDataModel() override {
    static Ref<jdbc::DataModel> model = generateDataModel();
    return model;
  }
  Ref<plat::sql::PreparedStatement> getInsertStatement() override {
    auto statement = getStatement(nullptr, INSERT_SQL);
    if (statement) setParameterValues(*statement);  // the new values
    return statement;
  }
  Ref<plat::sql::PreparedStatement> getUpdateStatement() override {
    auto statement = getStatement(nullptr, UPDATE_SQL);
    if (statement) {
      setParameterValues(*statement);               // the changed values,
      setParameters(*statement, 0, getColModif());  // then the values as read, for the WHERE clause
    }
    return statement;
  }
  Ref<plat::sql::PreparedStatement> getDeleteStatement() override {
    auto statement = getStatement(nullptr, DELETE_SQL);
    if (statement) setParameters(*statement, 0, 0);
    return statement;
  }
};

// Registers the row class by name, with its table and the connection bean "db" of the manager class.
inline void registerDrugRow(const std::string& managerClass) {
  plat::runvale::registerNew<DrugRow>(plat::runvale::ClassRegistry::instance(), DrugRow::kClassName, {},
                                      jdbc::RecordDefinition::kClassName);
  DrugRow settings;  // settings are kept per row class
  settings.setTableName("DRUG");
  settings.setConnectionManagerClassName(managerClass);
  settings.setConnectionName("db");
}

// Fills table DRUG of the SQLite file behind url with three rows, enters a connection bean "db" on it in a
// connection manager registered as "example.Manager" and registers the row class. Answers the bean.
inline Ref<jdbc::JdbcConnection> setUpDrugs(const std::string& url) {
  plat::sql::sqlite::registerSqliteDriver();
  plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
  auto plain = plat::sql::DriverManager::getConnection(url);
  for (const char* text :
       {"create table if not exists DRUG (NDC varchar(11) primary key, NAME varchar(40), PRICE double)",
        "delete from DRUG",
        "insert into DRUG values ('00002-1433', 'Ibuprofen 200 mg', 4.25), ('00093-7146', 'Amoxicillin 500 mg', 12.9), "
        "('00378-0208', 'Ibuprofen 400 mg', 6.1)"}) {
    plain->createStatement()->executeUpdate(text);
  }
  plain->close();

  // The connection bean "db" in a connection manager that row classes find by its class name.
  auto manager = makeRef<jdbc::ConnectionManager>();
  auto bean = makeRef<jdbc::JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName, url, "", "");
  bean->setIdentifier("db");
  manager->add(bean);
  plat::runvale::ClassInfo managerClass;
  managerClass.name = "example.Manager";
  managerClass.factory = [manager] { return Ref<plat::lang::Object>(manager); };
  managerClass.superclass = jdbc::ConnectionManager::kClassName;
  plat::runvale::ClassRegistry::instance().registerClass(managerClass);
  registerDrugRow("example.Manager");
  return bean;
}
