// A bean that runs one SQL text (any statement, typically a call) with typed parameters through a connection bean
// of a registry, publishes its parameter row on the data bus as a one-row data source (parameter with index i in
// column i - 1), and offers the result set of its last execution to whoever listens to its executions.
//
// Thread contract: every operation that touches the adapter's state takes its re-entrant monitor; listeners are
// called on a copy of their list, outside the monitor. Make it with makeRef: publishing needs a shared object.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/beans/PropertyChangeSupport.h"
#include "platform/beans/VetoableChangeSupport.h"
#include "platform/sql/CallableStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/DataSynchronizer.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "quenlora/zafoli/db/beans/jdbc/ParameterMetaData.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterEventListener.h"

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::jdbc {

class SQLAdapter : public binding::SingleRowBDSSupport {
 public:
  using Parameters = std::vector<plat::lang::Ref<ParameterMetaData>>;
  using Listener = std::shared_ptr<SQLAdapterEventListener>;

  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.SQLAdapter";
  static constexpr const char* kVersion = "1";
  static constexpr const char* PROP_CONN_MGR_CLASS_NAME = "connectionManagerClassName";
  static constexpr const char* PROP_CONN_NAME = "connectionName";
  static constexpr const char* PROP_SQL_TEXT = "sqlText";
  static constexpr const char* PROP_META_DATA = "metaData";
  static constexpr const char* PROP_COLUMNS = "columns";
  static constexpr const char* PROP_ALIAS_NAME = "aliasName";
  static constexpr const char* PROP_AUTO_START = "autoStart";
  static constexpr const char* PROP_DATA_ITEM_SYNC = "dataItemSync";
  // The answer of the name checks when every name is acceptable.
  static constexpr int PARAM_NAMES_SUPPORTED = -1;
  static constexpr int COLUMN_NAMES_SUPPORTED = -1;

  SQLAdapter();
  SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName);
  SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
             const std::string& sqlText);
  SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
             const std::string& sqlText, Parameters metaData);
  SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
             const std::string& sqlText, Parameters metaData, std::vector<std::string> columns);
  // Closes the statement and gives the bean back; failures are swallowed.
  ~SQLAdapter() override;

  // Setters refuse none with IllegalArgumentException "set<Name>( null )". Changing the connection settings closes
  // the statement and gives the bean back to its registry.
  std::string getConnectionManagerClassName() const;
  void setConnectionManagerClassName(const std::string& className);
  void setConnectionManagerClassName(std::nullptr_t);
  std::string getConnectionName() const;
  void setConnectionName(const std::string& name);
  void setConnectionName(std::nullptr_t);
  std::string getSQLText() const;
  // Closes the statement; the next execution validates again.
  void setSQLText(const std::string& sqlText);
  void setSQLText(std::nullptr_t);
  Parameters getMetaData() const;
  Parameters getMetaDataCopy() const;
  // Closes the statement, validates again at the next execution, writes each default value into the row and
  // refreshes the bound components.
  void setMetaData(Parameters metaData);
  void setMetaData(int i, const plat::lang::Ref<ParameterMetaData>& parameter);
  std::vector<std::string> getColumns() const;
  std::vector<std::string> getColumnsCopy() const;
  void setColumns(std::vector<std::string> columns);
  void setColumns(int i, const std::string& name);
  std::vector<plat::lang::Ref<binding::DataSynchronizer>> getDataItemSync() const;
  std::vector<plat::lang::Ref<binding::DataSynchronizer>> getDataItemSyncCopy() const;
  void setDataItemSync(std::vector<plat::lang::Ref<binding::DataSynchronizer>> sync);
  std::string getAliasName() const;
  // Stores the alias and, at run time, publishes the row (prepareAndExecute); failures are thrown on.
  void setAliasName(const std::string& aliasName);
  void setAliasName(std::nullptr_t);
  void setAliasNameOnly(const std::string& aliasName);
  bool isAutoStart() const;
  void setAutoStart(bool autoStart);
  // The bean of the last execution, or null.
  plat::lang::Ref<JdbcConnection> getJdbcConnection() const;
  // The full binding name the row is published under, or none.
  std::optional<std::string> getBindName() const;

  // Validates, publishes the row under the alias and the parameter names in index order, refreshes the bound
  // components and, with autoStart, executes.
  void prepareAndExecute();
  // Runs the statement once: before-event, validation, statement (prepared again when it was closed behind the
  // adapter's back), out-parameters, in-parameters, log, execution, out-values into the row, after-event. An SQL
  // failure is announced to the log and thrown on, and no after-event follows.
  void execute();
  // The result of the last execution when it gave one, else the statement's current result; null without either.
  plat::lang::Ref<plat::sql::ResultSet> getResultSet();
  bool getMoreResults();
  int getUpdateCount();
  // The number of markers in the SQL text (a '?' in quoted text or a comment is none).
  int getQuestionmarksCount() const;
  // Validates the parameters and result columns once per change (nothing at design time); an SQLAdapterException
  // is announced to the log and thrown on.
  void checkMetaData();
  void closeCurrentResultSet();
  void closeStatement();
  // Closes the statement, gives the bean back and forgets bean and registry.
  void close();

  void addSQLAdapterEventListener(const Listener& listener);
  void removeSQLAdapterEventListener(const Listener& listener);
  void fireBeforeExecute(const SQLAdapterEvent& event);
  void fireAfterExecute(const SQLAdapterEvent& event);
  void addPropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener);
  void removePropertyChangeListener(const plat::lang::Ref<plat::beans::PropertyChangeListener>& listener);
  void addVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener);
  void removeVetoableChangeListener(const plat::lang::Ref<plat::beans::VetoableChangeListener>& listener);

  // The saved form of the settings (parameters and result columns included), and an adapter restored from one;
  // restoring publishes and executes nothing. StreamCorruptedException for a damaged form, InvalidObjectException
  // for a foreign version or a default value of a kind that cannot be saved.
  std::vector<std::uint8_t> save() const;
  static plat::lang::Ref<SQLAdapter> restore(const std::vector<std::uint8_t>& bytes);

  // Name helpers (see the sources for the exact rules).
  static bool isJavaIdentifier(const std::string& text);
  static std::string createJavaIdentifier(const std::string& text);
  // Spreadsheet column names from 0: A..Z, AA..ZZ, AAA...; IllegalArgumentException below 0.
  static std::string getColumnName(int i);
  static int areParamNamesSupported(const Parameters& parameters);
  static bool areParamNamesUnique(const Parameters& parameters);
  static int areColumnNamesSupported(const std::vector<std::string>& names);
  static bool areColumnNamesUnique(const std::vector<std::string>& names);
  static void setSupportedParamNames(const Parameters& parameters);
  static void setUniqueParamNames(const Parameters& parameters);
  static void setSupportedColumnNames(std::vector<std::string>& names);
  static void setUniqueColumnNames(std::vector<std::string>& names);
  static Parameters getInParamsMetaData(const Parameters& parameters);
  static Parameters getParamsMetaData(const Parameters& parameters);
  static Parameters getRSColumnsMetaData(const Parameters& parameters);
  static Parameters createRSColumnsMetaData(const std::vector<std::string>& names);
  // The out-value of index read by the getter of type; none when the statement reports SQL NULL.
  static plat::lang::Value getOutParameter(plat::sql::CallableStatement& callable, int index, int type, int scale);

  std::string getClassName() const override { return kClassName; }

 protected:
  virtual void writeSettings(plat::serial::ObjectOutput& out) const;
  virtual void readSettings(plat::serial::ObjectInput& in);
  void firePropertyChange(const std::string& property, const plat::lang::Value& oldValue,
                          const plat::lang::Value& newValue);
  static void refuseNull(const char* setter);

  mutable plat::thread::Monitor monitor_;

 private:
  void validate();
  void announceFailure(const plat::sql::SQLException& failure) const;
  void takeConnection();
  void prepareStatement();
  void registerOutParameters();
  void bindInParameters();
  std::string displayText();
  void readOutParameters();
  void releaseConnection();
  void resetStatement();
  void writeDefaults();
  std::vector<Listener> listenersNow() const;

  // Settings; guarded by monitor_.
  std::string connectionManagerClassName_;
  std::string connectionName_;
  std::string sqlText_;
  Parameters metaData_;
  std::vector<plat::lang::Ref<binding::DataSynchronizer>> dataItemSync_;
  std::vector<std::string> columns_;
  std::string aliasName_;
  bool autoStart_ = false;

  // Run-time state; guarded by monitor_.
  plat::lang::Ref<ConnectionManager> connectionManager_;
  plat::lang::Ref<JdbcConnection> jdbcConnection_;
  std::string beanIdentifier_;  // the identifier jdbcConnection_ was taken under, for giving it back
  bool metaDataChecked_ = false;
  bool outParametersRegistered_ = false;
  std::optional<binding::Name> bindName_;
  plat::lang::Ref<plat::sql::CallableStatement> statement_;
  plat::lang::Ref<plat::sql::ResultSet> currentResultSet_;
  bool resultSetCached_ = false;
  std::vector<Listener> listenersSQLAdapterEvent_;

  plat::beans::PropertyChangeSupport changeSupport_{this};
  plat::beans::VetoableChangeSupport vetoableChangeSupport_{this};
};

}  // namespace quenlora::zafoli::db::beans::jdbc
