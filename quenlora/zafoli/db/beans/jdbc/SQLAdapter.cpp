#include "quenlora/zafoli/db/beans/jdbc/SQLAdapter.h"

#include <algorithm>
#include <utility>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/jdbc/ParameterMarkers.h"
#include "quenlora/zafoli/db/beans/jdbc/PreparedStatementHelper.h"
#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterException.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::DatabaseMetaData;
using plat::sql::SQLException;
using plat::sql::Types;
using plat::thread::Synchronized;

namespace {

bool isOutKind(int kind) {
  return kind == DatabaseMetaData::procedureColumnInOut || kind == DatabaseMetaData::procedureColumnOut ||
         kind == DatabaseMetaData::procedureColumnReturn;
}

bool isInKind(int kind) {
  return kind == DatabaseMetaData::procedureColumnIn || kind == DatabaseMetaData::procedureColumnInOut;
}

// The parameter of index, or null.
Ref<ParameterMetaData> parameterOf(const SQLAdapter::Parameters& parameters, int index) {
  for (const auto& parameter : parameters) {
    if (parameter->getIndex() == index) return parameter;
  }
  return nullptr;
}

}  // namespace

SQLAdapter::SQLAdapter() = default;

SQLAdapter::SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName)
    : connectionManagerClassName_(connectionManagerClassName), connectionName_(connectionName) {}

SQLAdapter::SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
                       const std::string& sqlText)
    : SQLAdapter(connectionManagerClassName, connectionName) {
  sqlText_ = sqlText;
}

SQLAdapter::SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
                       const std::string& sqlText, Parameters metaData)
    : SQLAdapter(connectionManagerClassName, connectionName, sqlText) {
  for (const auto& parameter : metaData) {
    if (!parameter) refuseNull("setMetaData");
  }
  metaData_ = std::move(metaData);
  writeDefaults();
}

SQLAdapter::SQLAdapter(const std::string& connectionManagerClassName, const std::string& connectionName,
                       const std::string& sqlText, Parameters metaData, std::vector<std::string> columns)
    : SQLAdapter(connectionManagerClassName, connectionName, sqlText, std::move(metaData)) {
  columns_ = std::move(columns);
}

SQLAdapter::~SQLAdapter() {
  try {
    close();
  } catch (...) {
  }
}

void SQLAdapter::refuseNull(const char* setter) {
  throw plat::lang::IllegalArgumentException(std::string(setter) + "( null )");
}

// --- properties ----------------------------------------------------------------------------------------------

std::string SQLAdapter::getConnectionManagerClassName() const {
  Synchronized sync(monitor_);
  return connectionManagerClassName_;
}

void SQLAdapter::setConnectionManagerClassName(const std::string& className) {
  std::string old;
  {
    Synchronized sync(monitor_);
    closeStatement();
    releaseConnection();
    old = std::exchange(connectionManagerClassName_, className);
  }
  firePropertyChange(PROP_CONN_MGR_CLASS_NAME, Value(old), Value(className));
}

void SQLAdapter::setConnectionManagerClassName(std::nullptr_t) {
  refuseNull("setConnectionManagerClassName");
}

std::string SQLAdapter::getConnectionName() const {
  Synchronized sync(monitor_);
  return connectionName_;
}

void SQLAdapter::setConnectionName(const std::string& name) {
  std::string old;
  {
    Synchronized sync(monitor_);
    closeStatement();
    releaseConnection();
    old = std::exchange(connectionName_, name);
  }
  firePropertyChange(PROP_CONN_NAME, Value(old), Value(name));
}

void SQLAdapter::setConnectionName(std::nullptr_t) {
  refuseNull("setConnectionName");
}

std::string SQLAdapter::getSQLText() const {
  Synchronized sync(monitor_);
  return sqlText_;
}

void SQLAdapter::setSQLText(const std::string& sqlText) {
  std::string old;
  {
    Synchronized sync(monitor_);
    closeStatement();
    metaDataChecked_ = false;
    old = std::exchange(sqlText_, sqlText);
  }
  firePropertyChange(PROP_SQL_TEXT, Value(old), Value(sqlText));
}

void SQLAdapter::setSQLText(std::nullptr_t) {
  refuseNull("setSQLText");
}

SQLAdapter::Parameters SQLAdapter::getMetaData() const {
  Synchronized sync(monitor_);
  return metaData_;
}

SQLAdapter::Parameters SQLAdapter::getMetaDataCopy() const {
  Synchronized sync(monitor_);
  Parameters copy;
  for (const auto& parameter : metaData_) copy.push_back(plat::lang::makeRef<ParameterMetaData>(*parameter));
  return copy;
}

void SQLAdapter::setMetaData(Parameters metaData) {
  for (const auto& parameter : metaData) {
    if (!parameter) refuseNull("setMetaData");
  }
  {
    Synchronized sync(monitor_);
    closeStatement();
    metaDataChecked_ = false;
    metaData_ = std::move(metaData);
    writeDefaults();
  }
  triggerUI();
  firePropertyChange(PROP_META_DATA, Value(), Value());
}

void SQLAdapter::setMetaData(int i, const Ref<ParameterMetaData>& parameter) {
  if (!parameter) refuseNull("setMetaData");
  {
    Synchronized sync(monitor_);
    if (i < 0 || static_cast<std::size_t>(i) >= metaData_.size()) {
      throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(i) + " >= " + std::to_string(metaData_.size()));
    }
    closeStatement();
    metaDataChecked_ = false;
    metaData_[static_cast<std::size_t>(i)] = parameter;
  }
  firePropertyChange(PROP_META_DATA, Value(), Value());
}

void SQLAdapter::writeDefaults() {
  for (const auto& parameter : metaData_) {
    if (parameter->getIndex() >= 1) setValues(parameter->getIndex() - 1, parameter->getDefaultValue());
  }
}

std::vector<std::string> SQLAdapter::getColumns() const {
  Synchronized sync(monitor_);
  return columns_;
}

std::vector<std::string> SQLAdapter::getColumnsCopy() const {
  return getColumns();
}

void SQLAdapter::setColumns(std::vector<std::string> columns) {
  {
    Synchronized sync(monitor_);
    metaDataChecked_ = false;
    columns_ = std::move(columns);
  }
  firePropertyChange(PROP_COLUMNS, Value(), Value());
}

void SQLAdapter::setColumns(int i, const std::string& name) {
  {
    Synchronized sync(monitor_);
    if (i < 0 || static_cast<std::size_t>(i) >= columns_.size()) {
      throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(i) + " >= " + std::to_string(columns_.size()));
    }
    metaDataChecked_ = false;
    columns_[static_cast<std::size_t>(i)] = name;
  }
  firePropertyChange(PROP_COLUMNS, Value(), Value());
}

std::vector<Ref<binding::DataSynchronizer>> SQLAdapter::getDataItemSync() const {
  Synchronized sync(monitor_);
  return dataItemSync_;
}

std::vector<Ref<binding::DataSynchronizer>> SQLAdapter::getDataItemSyncCopy() const {
  return getDataItemSync();
}

void SQLAdapter::setDataItemSync(std::vector<Ref<binding::DataSynchronizer>> sync) {
  for (const auto& entry : sync) {
    if (!entry) refuseNull("setDataItemSync");
  }
  {
    Synchronized lock(monitor_);
    dataItemSync_ = std::move(sync);
  }
  firePropertyChange(PROP_DATA_ITEM_SYNC, Value(), Value());
}

std::string SQLAdapter::getAliasName() const {
  Synchronized sync(monitor_);
  return aliasName_;
}

void SQLAdapter::setAliasName(const std::string& aliasName) {
  setAliasNameOnly(aliasName);
  if (!plat::beans::Beans::isDesignTime()) prepareAndExecute();
}

void SQLAdapter::setAliasName(std::nullptr_t) {
  refuseNull("setAliasName");
}

void SQLAdapter::setAliasNameOnly(const std::string& aliasName) {
  std::string old;
  {
    Synchronized sync(monitor_);
    old = std::exchange(aliasName_, aliasName);
  }
  firePropertyChange(PROP_ALIAS_NAME, Value(old), Value(aliasName));
}

bool SQLAdapter::isAutoStart() const {
  Synchronized sync(monitor_);
  return autoStart_;
}

void SQLAdapter::setAutoStart(bool autoStart) {
  bool old;
  {
    Synchronized sync(monitor_);
    old = std::exchange(autoStart_, autoStart);
  }
  firePropertyChange(PROP_AUTO_START, Value(old), Value(autoStart));
}

Ref<JdbcConnection> SQLAdapter::getJdbcConnection() const {
  Synchronized sync(monitor_);
  return jdbcConnection_;
}

std::optional<std::string> SQLAdapter::getBindName() const {
  Synchronized sync(monitor_);
  if (!bindName_) return std::nullopt;
  binding::Name name = *bindName_;
  return name.getFullName();
}

// --- publishing and execution --------------------------------------------------------------------------------

void SQLAdapter::prepareAndExecute() {
  std::optional<binding::Name> name;
  bool autoStart;
  {
    Synchronized sync(monitor_);
    checkMetaData();
    // Index order, so that column i - 1 of the row is the parameter of index i whatever the order of the list.
    Parameters ordered = metaData_;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const auto& a, const auto& b) { return a->getIndex() < b->getIndex(); });
    std::string names;
    for (const auto& parameter : ordered) {
      if (!names.empty()) names += binding::Name::ColumnSeparator;
      names += parameter->getName();
    }
    if (!ordered.empty()) name = binding::Name(aliasName_, names);
    bindName_ = name;
    autoStart = autoStart_;
  }
  if (name) {
    setMediatorDS(plat::lang::makeRef<binding::MediatorDS>());
    setDataBinding(*name);
  }
  triggerUI();
  if (autoStart) execute();
}

void SQLAdapter::execute() {
  fireBeforeExecute(SQLAdapterEvent(this, SQLAdapterEvent::SQL_EXECUTING, false));
  bool resultSet = false;
  bool hasParameters = false;
  {
    Synchronized sync(monitor_);
    try {
      closeCurrentResultSet();
      takeConnection();
      validate();
      prepareStatement();
      registerOutParameters();
      bindInParameters();
      const std::string text = displayText();
      try {
        util::LogWindowHelper::getInstance().displayMsgToLog("SQL", text);
      } catch (...) {
        // The log is a bystander: its failure does not fail the statement.
      }
      resultSet = statement_->execute();
      if (resultSet) {
        currentResultSet_ = statement_->getResultSet();
        resultSetCached_ = true;
      }
      hasParameters = !metaData_.empty();
      if (hasParameters) readOutParameters();
    } catch (const SQLException& e) {
      // As the bean's own executions do: the open transaction level fails, a lost connection leaves the pool
      // (and this statement, made on it, goes with it).
      if (jdbcConnection_ && jdbcConnection_->statementFailed(statement_, e) && statement_) resetStatement();
      announceFailure(e);
      throw;
    }
  }
  if (hasParameters) triggerUI();
  fireAfterExecute(SQLAdapterEvent(this, SQLAdapterEvent::SQL_EXECUTED, resultSet));
}

void SQLAdapter::takeConnection() {
  if (jdbcConnection_) return;
  if (!connectionManager_) connectionManager_ = ConnectionManager::getManager(connectionManagerClassName_);
  jdbcConnection_ = connectionManager_->getConnectionBean(connectionName_);
  // No bean: nothing to connect; preparing the statement then says so.
  if (!jdbcConnection_) return;
  beanIdentifier_ = connectionName_;
  if (jdbcConnection_->isConnectionClosed()) jdbcConnection_->connect();
}

void SQLAdapter::prepareStatement() {
  // A transaction's begin may have closed the statement when the database keeps none open across commits.
  bool closed = false;
  if (statement_) {
    try {
      closed = statement_->isClosed();
    } catch (const SQLException&) {
      // A driver that cannot tell keeps its statements open.
    }
  }
  if (closed) resetStatement();
  if (statement_) return;
  if (!jdbcConnection_) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_NO_JDBC_CONNECTION, "There is no JdbcConnection");
  }
  if (sqlText_.empty()) {
    throw SQLAdapterException::fromBundle(SQLAdapterException::CODE_NO_SQL_TEXT, "There is no SQL text");
  }
  if (jdbcConnection_->isConnectionClosed()) jdbcConnection_->connect();
  statement_ = jdbcConnection_->prepareCall(sqlText_);
}

void SQLAdapter::registerOutParameters() {
  if (outParametersRegistered_) return;
  for (const auto& parameter : metaData_) {
    if (!isOutKind(parameter->getType())) continue;
    const int type = parameter->getDataType();
    if (type == Types::NUMERIC || type == Types::DECIMAL) {
      statement_->registerOutParameter(parameter->getIndex(), type, parameter->getScale());
    } else {
      statement_->registerOutParameter(parameter->getIndex(), type);
    }
  }
  outParametersRegistered_ = true;
}

void SQLAdapter::bindInParameters() {
  for (const auto& parameter : metaData_) {
    if (!isInKind(parameter->getType())) continue;
    PreparedStatementHelper::setInParameter(*statement_, parameter->getIndex(), parameter->getDataType(),
                                            getValue(0, parameter->getIndex() - 1), parameter->getScale());
  }
}

std::string SQLAdapter::displayText() {
  return ParameterMarkers::replace(sqlText_, [this](int n) -> std::string {
    Ref<ParameterMetaData> parameter = parameterOf(metaData_, n);
    if (!parameter || !isInKind(parameter->getType())) return "?";
    Value value = getValue(0, n - 1);
    return value.isNull() ? "<null>" : value.toString();
  });
}

void SQLAdapter::readOutParameters() {
  for (const auto& parameter : metaData_) {
    if (!isOutKind(parameter->getType())) continue;
    Value value = getOutParameter(*statement_, parameter->getIndex(), parameter->getDataType(), parameter->getScale());
    setValue(value, 0, parameter->getIndex() - 1);
  }
}

Value SQLAdapter::getOutParameter(plat::sql::CallableStatement& callable, int index, int type, int scale) {
  Value value;
  switch (type) {
    case Types::BIT:
      value = Value(callable.getBoolean(index));
      break;
    case Types::TINYINT:
      value = Value::ofByte(callable.getByte(index));
      break;
    case Types::SMALLINT:
      value = Value::ofShort(callable.getShort(index));
      break;
    case Types::INTEGER:
      value = Value(callable.getInt(index));
      break;
    case Types::BIGINT:
      value = Value::ofLong(callable.getLong(index));
      break;
    case Types::REAL:
      value = Value(callable.getFloat(index));
      break;
    case Types::FLOAT:
    case Types::DOUBLE:
      value = Value(callable.getDouble(index));
      break;
    case Types::NUMERIC:
    case Types::DECIMAL:
      value = Value(callable.getBigDecimal(index, scale));
      break;
    case Types::CHAR:
    case Types::VARCHAR:
    case Types::LONGVARCHAR:
      value = Value(callable.getString(index));
      break;
    case Types::DATE:
      value = Value(callable.getDate(index));
      break;
    case Types::TIME:
      value = Value(callable.getTime(index));
      break;
    case Types::TIMESTAMP:
      value = Value(callable.getTimestamp(index));
      break;
    case Types::BINARY:
    case Types::VARBINARY:
    case Types::LONGVARBINARY:
      value = Value::ofBytes(callable.getBytes(index));
      break;
    case Types::NULL_TYPE:
      return Value();
    default:
      value = callable.getObject(index);
      break;
  }
  return callable.wasNull() ? Value() : value;
}

void SQLAdapter::announceFailure(const SQLException& failure) const {
  try {
    util::LogWindowHelper::getInstance().displayMsgToLog(failure.getClassName(), failure.getMessage());
  } catch (...) {
  }
}

void SQLAdapter::checkMetaData() {
  Synchronized sync(monitor_);
  try {
    validate();
  } catch (const SQLException& e) {
    announceFailure(e);
    throw;
  }
}

Ref<plat::sql::ResultSet> SQLAdapter::getResultSet() {
  Synchronized sync(monitor_);
  if (resultSetCached_) return currentResultSet_;
  if (!statement_) return nullptr;
  try {
    return statement_->getResultSet();
  } catch (const SQLException& e) {
    announceFailure(e);
    throw;
  }
}

bool SQLAdapter::getMoreResults() {
  Synchronized sync(monitor_);
  resultSetCached_ = false;
  // The statement closes its current result as it advances.
  currentResultSet_ = nullptr;
  if (!statement_) return false;
  try {
    return statement_->getMoreResults();
  } catch (const SQLException& e) {
    announceFailure(e);
    throw;
  }
}

int SQLAdapter::getUpdateCount() {
  Synchronized sync(monitor_);
  if (!statement_) return -1;
  try {
    return statement_->getUpdateCount();
  } catch (const SQLException& e) {
    announceFailure(e);
    throw;
  }
}

int SQLAdapter::getQuestionmarksCount() const {
  Synchronized sync(monitor_);
  return ParameterMarkers::count(sqlText_);
}

// --- closing -------------------------------------------------------------------------------------------------

void SQLAdapter::closeCurrentResultSet() {
  Synchronized sync(monitor_);
  Ref<plat::sql::ResultSet> current = std::exchange(currentResultSet_, nullptr);
  resultSetCached_ = false;
  if (!current) return;
  try {
    current->close();
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::err().println(e.toString());
  }
}

void SQLAdapter::resetStatement() {
  Ref<plat::sql::CallableStatement> statement = std::exchange(statement_, nullptr);
  outParametersRegistered_ = false;
  if (!statement) return;
  if (jdbcConnection_) {
    jdbcConnection_->closeStatement(statement);
    return;
  }
  try {
    statement->close();
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::err().println(e.toString());
  }
}

void SQLAdapter::closeStatement() {
  Synchronized sync(monitor_);
  closeCurrentResultSet();
  resetStatement();
}

void SQLAdapter::releaseConnection() {
  if (connectionManager_ && jdbcConnection_) connectionManager_->releaseConnection(beanIdentifier_);
  jdbcConnection_ = nullptr;
  connectionManager_ = nullptr;
  beanIdentifier_.clear();
}

void SQLAdapter::close() {
  Synchronized sync(monitor_);
  closeStatement();
  releaseConnection();
}

// --- listeners -----------------------------------------------------------------------------------------------

void SQLAdapter::addSQLAdapterEventListener(const Listener& listener) {
  if (!listener) return;
  Synchronized sync(monitor_);
  listenersSQLAdapterEvent_.push_back(listener);
}

void SQLAdapter::removeSQLAdapterEventListener(const Listener& listener) {
  Synchronized sync(monitor_);
  auto at = std::find(listenersSQLAdapterEvent_.begin(), listenersSQLAdapterEvent_.end(), listener);
  if (at != listenersSQLAdapterEvent_.end()) listenersSQLAdapterEvent_.erase(at);
}

std::vector<SQLAdapter::Listener> SQLAdapter::listenersNow() const {
  Synchronized sync(monitor_);
  return listenersSQLAdapterEvent_;
}

void SQLAdapter::fireBeforeExecute(const SQLAdapterEvent& event) {
  for (const auto& listener : listenersNow()) listener->beforeExecute(event);
}

void SQLAdapter::fireAfterExecute(const SQLAdapterEvent& event) {
  for (const auto& listener : listenersNow()) listener->afterExecute(event);
}

void SQLAdapter::addPropertyChangeListener(const Ref<plat::beans::PropertyChangeListener>& listener) {
  changeSupport_.addPropertyChangeListener(listener);
}

void SQLAdapter::removePropertyChangeListener(const Ref<plat::beans::PropertyChangeListener>& listener) {
  changeSupport_.removePropertyChangeListener(listener);
}

void SQLAdapter::addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  vetoableChangeSupport_.addVetoableChangeListener(listener);
}

void SQLAdapter::removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>& listener) {
  vetoableChangeSupport_.removeVetoableChangeListener(listener);
}

void SQLAdapter::firePropertyChange(const std::string& property, const Value& oldValue, const Value& newValue) {
  changeSupport_.firePropertyChange(property, oldValue, newValue);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
