// The base of the application's row classes, one per table: it writes the row's own SQL (the navigator's SELECT
// with joins, where text and order, and the INSERT, UPDATE and DELETE of a save with an optimistic WHERE built from
// the values as read), runs it through the row class's connection bean and keeps settings per row class under the
// class name. A row class supplies getDataModel() and the three write statements from the protected helpers.
//
// Thread contract: save, the state and settings setters and the value operations of one row are serialised on the
// row's monitor; the SQL text of a save belongs to that row, so rows saved on several threads do not mix texts.
// The per-class tables are shared by all rows and guarded by one lock.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/PreparedStatement.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"
#include "quenlora/zafoli/db/beans/jdbc/BaseRecordDefinition.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/DataModel.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/jdbc/SqlText.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace quenlora::zafoli::db::beans::jdbc {

class RecordDefinition : public BaseRecordDefinition {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.RecordDefinition";
  static constexpr int INSERT_SQL = 100;
  static constexpr int UPDATE_SQL = 101;
  static constexpr int DELETE_SQL = 102;
  static constexpr const char* IS_NULL = " IS NULL ";
  static constexpr int COLUMN_VALUE = 0;
  static constexpr int JOIN_VALUE = 1;
  static constexpr int OPERATOR_VALUE = 2;
  static constexpr const char* PROP_CONN_MGR_CLASS_NAME = "connectionManagerClassName";
  static constexpr const char* PROP_CONN_NAME = "connectionName";
  static constexpr const char* kNoUsableColumn = "The row has no column usable in a WHERE clause";

  using JoinRecordList = binding::Synchronizable::JoinRecordList;
  using JoinsRef = plat::lang::Ref<JoinRecordList>;

  // The settings of a row class used by the development tool.
  struct DesignTimeProperties {
    std::string connectionName;
    std::string managerClassName;
    std::string tableName;
    std::optional<std::vector<std::string>> columns;
    std::string lastSelectSQL;
    plat::lang::Ref<DataModel> poModel;
    plat::lang::Ref<JdbcConnection> dtJdbcConnection;
    bool dataModelChanged = true;
    std::vector<std::vector<plat::lang::Value>> designTimeData;
    bool designTimeDataChanged = true;
  };
  // What a row class takes at run time, each on first use.
  struct RunTimeProperties {
    plat::lang::Ref<ConnectionManager> connectionManager;
    plat::lang::Ref<JdbcConnection> jdbcConnection;
  };

  RecordDefinition() = default;

  // The class-wide switch that announces the table model's findings to the log ("MetaData: ...").
  static void setLog(bool on) { log_.store(on); }
  static bool getLog() { return log_.load(); }
  // The class-wide switch that prints unexpected failures on standard output before they are reported.
  static void setDebug(bool on) { debug_.store(on); }
  static bool getDebug() { return debug_.load(); }

  // The key of this row class's settings: its fully qualified class name.
  std::string getKey() const { return getClassName(); }

  // Settings, shared by every row of the class.
  std::string getTableName() const;
  // Always clears the column list; a different name also marks the model and design-time data changed.
  void setTableName(const std::string& tableName);
  std::optional<std::vector<std::string>> getColumns() const;
  void setColumns(const std::optional<std::vector<std::string>>& columns);
  void addColumn(const std::string& name);
  std::string getConnectionName() const;
  void setConnectionName(const std::string& name);
  std::string getConnectionManagerClassName() const;
  void setConnectionManagerClassName(const std::string& className);

  // The registry of the row class, taken once. RuntimeException when it cannot be made.
  plat::lang::Ref<ConnectionManager> getConnectionManager();
  // The row class's connection bean, taken once from the registry (at design time the design-time connection);
  // null while the registry answers none (asked again next time).
  plat::lang::Ref<binding::Connection> getConnection() override;
  plat::lang::Ref<JdbcConnection> getJdbcConnection();
  // Gives the row class's bean back to the registry (run time only); the next use takes it again.
  void releaseConnection();
  void close() override;

  // Queries: an enumeration of new rows of this class over the result; it owns its statement.
  plat::lang::Ref<RecordEnumeration> querySimilarObjects() override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where,
                                                         const std::vector<std::string>& orderBy) override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where, const JoinsRef& joinRecordList,
                                                         const std::vector<std::string>& orderBy) override;
  std::string getSelectSQL() const;
  std::string createFinalSelectSQL(const std::string& where, const JoinsRef& joinRecordList,
                                   const std::vector<std::string>& orderBy);
  // Binds the join values with a present master value, from index 1; returns the last index used.
  int setQueryParameters(plat::sql::PreparedStatement& statement, const JoinsRef& joinRecordList);
  // The SELECT text + " WHERE " + the optimistic predicate (nothing added when it is empty).
  std::string getQueryString(const std::string& op);
  std::string getQueryPredicate(const std::string& op);
  std::string makeEmptyResultSetSQLString() const;
  // The write texts of the row as it is now; none for INSERT and UPDATE when nothing changed.
  std::optional<std::string> makeInsertSQLString();
  std::optional<std::string> makeUpdateSQLString();
  std::string makeDeleteSQLString();
  // The same texts without the final "\n".
  std::optional<std::string> getInsertSQL();
  std::optional<std::string> getUpdateSQL();
  std::string getDeleteSQL();

  // Writes the row by its operation; the update count (0 when there was nothing to write).
  int save() override;
  // This row's last write text with the bound values written in.
  std::string getStatement() override;
  int getColModif();

  // The table model from the database (at design time the cached design-time model).
  plat::lang::Ref<DataModel> generateDataModel();
  plat::lang::Ref<plat::sql::DatabaseMetaData> getDatabaseMetaData();
  void setSQLAdapter(const plat::lang::Ref<plat::lang::Object>& adapter) override;

  // Design time only ("The following method should only be called at design time: " otherwise).
  plat::lang::Ref<DataModel> getDesignTimeDataModel();
  std::vector<std::vector<plat::lang::Value>> getDesignTimeData();
  std::string getLastSelectSQL();

  // What a row class provides; the base fails with "The following method must be over-ridden: " + operation.
  plat::lang::Ref<binding::PersistentObjectModel> getDataModel() override;
  virtual plat::lang::Ref<plat::sql::PreparedStatement> getInsertStatement();
  virtual plat::lang::Ref<plat::sql::PreparedStatement> getUpdateStatement();
  virtual plat::lang::Ref<plat::sql::PreparedStatement> getDeleteStatement();

  // Registers BaseRecordDefinition and RecordDefinition by name; a row class registers with kClassName as its
  // superclass.
  static void registerClasses(plat::runvale::ClassRegistry& registry);
  std::string getClassName() const override { return kClassName; }

 protected:
  // The given statement unchanged; else the text of kind built and prepared through the bean (null without text).
  // IllegalArgumentException for another kind; SQLException "The connection is closed" without a bean.
  plat::lang::Ref<plat::sql::PreparedStatement> getStatement(plat::lang::Ref<plat::sql::PreparedStatement> statement,
                                                             int kind);
  // Binds the modified value of every changed column, from index 1; returns the last index used.
  int setParameterValues(plat::sql::PreparedStatement& statement);
  // Binds the values of kind (0 original) of the WHERE columns with a present value, after offset.
  int setParameters(plat::sql::PreparedStatement& statement, int kind, int offset);
  [[noreturn]] static void mustBeOverridden(const std::string& operation);
  [[noreturn]] static void unexpectedIn(const std::string& operation, const plat::lang::Throwable& cause);

 private:
  DesignTimeProperties designTime() const;
  // This row class's run-time entry; the caller holds the settings lock.
  RunTimeProperties& runTimeLocked();
  void updateDesignTime(const std::function<void(DesignTimeProperties&)>& change);
  plat::lang::Ref<DataModel> model();
  // Whether the model identifies this row by a key whose columns are all usable now and not NULL as read.
  bool uniqueNow(const DataModel& model) const;
  bool inWhereClause(const DataModel& model, bool unique, std::size_t column) const;
  // The predicate's text and markers, appended; SQLException without any usable column when required.
  void appendPredicate(SqlText& text, const std::string& op, bool required);
  // The row's shape for the text of kind: per column whether it changed, stands in the WHERE clause, is NULL.
  std::string shapeOf(char kind, const DataModel& model, int& changedCount) const;
  std::optional<SqlText> insertText();
  std::optional<SqlText> updateText();
  SqlText deleteText();
  SqlText finalSelectText(const std::string& where, const JoinsRef& joinRecordList,
                          const std::vector<std::string>& orderBy);
  plat::lang::Ref<DataModel> readDataModel(JdbcConnection& bean);
  static void announce(const std::string& text);
  void requireDesignTime(const std::string& operation) const;

  static std::atomic<bool> log_;
  static std::atomic<bool> debug_;

  // guarded by m_Lock: this row's write text and its bound values, made by the first save that builds one (a row
  // that is never saved carries none) and reused by the next.
  std::unique_ptr<SqlText> m_SQL;
  bool m_HasSQL = false;                       // guarded by m_Lock: whether the current save built a text
  int colModif = 0;                            // guarded by m_Lock
  plat::lang::Ref<JdbcConnection> m_SaveBean;  // guarded by m_Lock: the bean of the save in progress, else null
  RunTimeProperties* m_RunTime = nullptr;      // guarded by the settings lock: the class's entry once looked up
};

}  // namespace quenlora::zafoli::db::beans::jdbc
