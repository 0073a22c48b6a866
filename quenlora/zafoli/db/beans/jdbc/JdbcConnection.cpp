#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "platform/beans/Beans.h"
#include "platform/beans/PropertyChangeEvent.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/sql/DriverManager.h"
#include "platform/thread/Thread.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::SQLException;
using plat::thread::Synchronized;

namespace {

constexpr int kNoLimit = 2147483647;

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool designTime() {
  return plat::beans::Beans::isDesignTime();
}

}  // namespace

JdbcConnection::SQLConnection::SQLConnection(Ref<plat::sql::Connection> connection)
    : sqlConnection(std::move(connection)) {
  if (sqlConnection == nullptr) throw plat::lang::IllegalArgumentException("No JDBC connection");
  if (sqlConnection->isClosed()) throw plat::lang::IllegalArgumentException("The JDBC connection is closed");
}

JdbcConnection::JdbcConnection() = default;

JdbcConnection::JdbcConnection(const std::string& driverName, const std::string& url, const std::string& userName,
                               const std::string& password) {
  setDriverName(driverName);
  setURL(url);
  setUserName(userName);
  setPassword(password);
}

// Pooled connections close themselves when their last reference goes; the bean closes nothing explicitly here.
JdbcConnection::~JdbcConnection() = default;

// --- plain properties ----------------------------------------------------------------------------------------

#define TEXT_PROPERTY(getter, setter, field, property)                                         \
  std::string JdbcConnection::getter() const {                                                 \
    std::lock_guard lock(propertyMutex_);                                                      \
    return field;                                                                              \
  }                                                                                            \
  void JdbcConnection::setter(const std::string& value) {                                      \
    if (designTime() && property != nullptr) processPropertyChange(property, getter(), value); \
    std::lock_guard lock(propertyMutex_);                                                      \
    field = value;                                                                             \
  }

TEXT_PROPERTY(getDriverName, setDriverName, driverName_, PROP_DRIVERNAME)
TEXT_PROPERTY(getURL, setURL, url_, PROP_URL)
TEXT_PROPERTY(getUserName, setUserName, userName_, PROP_USERNAME)
TEXT_PROPERTY(getPassword, setPassword, password_, PROP_PASSWORD)
TEXT_PROPERTY(getIdentifier, setIdentifier, identifier_, static_cast<const char*>(nullptr))
TEXT_PROPERTY(getConnectFailedListener, setConnectFailedListener, connectFailedListener_,
              static_cast<const char*>(nullptr))
#undef TEXT_PROPERTY

std::string JdbcConnection::getLoginFailedPattern() const {
  std::lock_guard lock(propertyMutex_);
  return loginFailedPattern_;
}

void JdbcConnection::setLoginFailedPattern(const std::string& pattern) {
  Synchronized sync(monitor_);
  std::lock_guard lock(propertyMutex_);
  loginFailedPattern_ = pattern;
}

void JdbcConnection::setMaxStatements(int maxStatements) {
  maxStatements_ = maxStatements < 1 ? kNoLimit : maxStatements;
}

void JdbcConnection::setMinConnections(int minConnections) {
  if (minConnections < 1 || minConnections > maxConnections_) {
    throw plat::lang::IllegalArgumentException("minConnections must lie between 1 and maxConnections: " +
                                               std::to_string(minConnections));
  }
  minConnections_ = minConnections;
}

void JdbcConnection::setMaxConnections(int maxConnections) {
  if (maxConnections < minConnections_) {
    throw plat::lang::IllegalArgumentException("maxConnections must not lie below minConnections: " +
                                               std::to_string(maxConnections));
  }
  maxConnections_ = maxConnections;
}

// --- live properties -----------------------------------------------------------------------------------------

void JdbcConnection::applyToPool(const std::function<void(plat::sql::Connection&)>& apply, bool skipOwn) {
  // A copy: a lost connection leaves the pool on the way.
  const std::vector<Pooled> pool = connectionsPool_;
  for (const auto& pooled : pool) {
    if (pooled == nullptr || pooled->sqlConnection == nullptr) handleException(SQLException("Connection is closed"));
    if (skipOwn && pooled->ownTransaction) continue;
    try {
      apply(*pooled->sqlConnection);
    } catch (const SQLException& e) {
      if (connectionLost(pooled, e)) dropConnection(pooled, e.getMessage());
      handleException(e);
    }
  }
}

void JdbcConnection::setAutoCommit(bool autoCommit) {
  Synchronized sync(monitor_);
  if (designTime()) processPropertyChange(PROP_AUTOCOMMIT, Value(autoCommit_.load()), Value(autoCommit));
  autoCommit_ = autoCommit;
  applyToPool([autoCommit](plat::sql::Connection& c) { c.setAutoCommit(autoCommit); }, true);
}

bool JdbcConnection::isAutoCommit() {
  Synchronized sync(monitor_);
  // A row write's own transaction is no change of the bean's mode.
  if (!connectionsPool_.empty() && !connectionsPool_.front()->ownTransaction) {
    try {
      autoCommit_ = connectionsPool_.front()->sqlConnection->getAutoCommit();
    } catch (const SQLException& e) {
      plat::lang::System::out().println(std::string("Warning: isAutoCommit was returning a corrupted value: ") +
                                        e.what());
    }
  }
  return autoCommit_;
}

void JdbcConnection::setReadOnly(bool readOnly) {
  Synchronized sync(monitor_);
  if (designTime()) processPropertyChange(PROP_READONLY, Value(readOnly_.load()), Value(readOnly));
  readOnly_ = readOnly;
  applyToPool([readOnly](plat::sql::Connection& c) { c.setReadOnly(readOnly); });
}

bool JdbcConnection::isReadOnly() {
  Synchronized sync(monitor_);
  if (!connectionsPool_.empty()) {
    try {
      readOnly_ = connectionsPool_.front()->sqlConnection->isReadOnly();
    } catch (const SQLException& e) {
      handleException(e);
    }
  }
  return readOnly_;
}

void JdbcConnection::setCatalog(const std::string& catalog) {
  Synchronized sync(monitor_);
  if (designTime()) {
    std::string old;
    {
      std::lock_guard lock(propertyMutex_);
      old = catalog_;
    }
    processPropertyChange(PROP_CATALOG, old, catalog);
  }
  {
    std::lock_guard lock(propertyMutex_);
    catalog_ = catalog;
  }
  applyToPool([catalog](plat::sql::Connection& c) { c.setCatalog(catalog); });
}

std::string JdbcConnection::getCatalog() {
  Synchronized sync(monitor_);
  if (!connectionsPool_.empty()) {
    try {
      std::string catalog = connectionsPool_.front()->sqlConnection->getCatalog();
      std::lock_guard lock(propertyMutex_);
      catalog_ = catalog;
    } catch (const SQLException& e) {
      handleException(e);
    }
  }
  std::lock_guard lock(propertyMutex_);
  return catalog_;
}

void JdbcConnection::setTransactionIsolation(int level) {
  Synchronized sync(monitor_);
  if (designTime()) {
    processPropertyChange(PROP_TRANS_ISOLATION, Value(transactionIsolation_.load()), Value(level));
  }
  transactionIsolation_ = level;
  // The pool is walked only when there is one: a closed bean keeps 16 for the database's own level.
  if (connectionsPool_.empty()) return;
  if (transactionIsolation_ == TRANSACTION_DEFAULT) transactionIsolation_ = defaultTransactionIsolation_.load();
  int wanted = transactionIsolation_;
  applyToPool([wanted](plat::sql::Connection& c) {
    if (c.getTransactionIsolation() != wanted) c.setTransactionIsolation(wanted);
  });
}

int JdbcConnection::getTransactionIsolation() {
  Synchronized sync(monitor_);
  if (!connectionsPool_.empty()) {
    try {
      transactionIsolation_ = connectionsPool_.front()->sqlConnection->getTransactionIsolation();
    } catch (const SQLException& e) {
      handleException(e);
    }
  }
  return transactionIsolation_;
}

void JdbcConnection::setConnectionProperties(plat::sql::Connection& connection) {
  auto attempt = [this](const char* property, const std::function<void()>& apply) {
    try {
      apply();
    } catch (const SQLException& e) {
      warn(std::string("Warning: could not apply ") + property + " property to live connection: " + e.what());
    }
  };
  attempt("autoCommit", [&] { connection.setAutoCommit(autoCommit_); });
  attempt("readOnly", [&] { connection.setReadOnly(readOnly_); });
  if (transactionIsolation_ != TRANSACTION_DEFAULT) {
    attempt("transactionIsolation", [&] { connection.setTransactionIsolation(transactionIsolation_); });
  }
  std::string catalog;
  {
    std::lock_guard lock(propertyMutex_);
    catalog = catalog_;
  }
  if (!catalog.empty()) attempt("catalog", [&] { connection.setCatalog(catalog); });
}

// --- connecting ----------------------------------------------------------------------------------------------

void JdbcConnection::registerDriver() {
  std::string driverName = getDriverName();
  if (driverName.empty()) return;
  // One driver per class: a bean that connects again does not pile up drivers in the manager.
  for (const auto& driver : plat::sql::DriverManager::getDrivers()) {
    if (driver->getClassName() == driverName) return;
  }
  try {
    auto driver =
        std::dynamic_pointer_cast<plat::sql::Driver>(plat::runvale::ClassRegistry::instance().newInstance(driverName));
    if (driver == nullptr) throw plat::lang::ClassCastException(driverName + " is not a JDBC driver");
    plat::sql::DriverManager::registerDriver(driver);
  } catch (const plat::lang::Throwable& failure) {
    std::string message = "Could not register JDBC driver.  Driver class name: " + failure.getMessage();
    plat::lang::System::out().println(message);
    throw SQLException(message);
  }
}

bool JdbcConnection::isLoginFailed(const SQLException& exception) const {
  std::string pattern = getLoginFailedPattern();
  std::string message = lowerCase(exception.getMessage());
  std::istringstream words(lowerCase(pattern));
  bool any = false;
  for (std::string word; words >> word;) {
    any = true;
    if (message.find(word) != std::string::npos) return true;
  }
  return !any;
}

JdbcConnection::Pooled JdbcConnection::createSQLConnection() {
  Synchronized sync(monitor_);
  std::string url = getURL();
  plat::util::Properties info;
  std::string user = getUserName();
  std::string password = getPassword();
  if (!user.empty()) info.setProperty(USER, user);
  if (!password.empty()) info.setProperty(PASSWORD, password);
  printMessage(std::string(CLASS_NAME) + "createSQLConnection: " + url + " user=" + user +
               " password=" + (password.empty() ? "" : "*****"));
  try {
    auto connection = plat::sql::DriverManager::getConnection(url, info);
    if (getDriverName() == POINTBASE_DRIVER) setAutoCommit(false);
    return std::make_shared<SQLConnection>(connection);
  } catch (const SQLException& e) {
    plat::lang::System::out().println(e.getMessage());
    if (designTime()) throw SQLException(e.getMessage());
    if (!isLoginFailed(e)) throw;
    connectFailed(ConnectFailedEvent(this, ConnectFailedEvent::GENERALERROR, e.getMessage()));
    // The caller sees the failure even when a listener has connected the bean again meanwhile.
    throw SQLException(e.getMessage());
  } catch (const plat::lang::Exception& e) {
    plat::lang::System::out().println(e.getMessage());
    throw SQLException(e.getMessage());
  }
}

void JdbcConnection::closePooled(std::vector<Pooled> opened) {
  for (const auto& pooled : opened) {
    auto at = std::find(connectionsPool_.begin(), connectionsPool_.end(), pooled);
    if (at != connectionsPool_.end()) connectionsPool_.erase(at);
    try {
      pooled->sqlConnection->close();
    } catch (const SQLException&) {
      // The connection is dropped from the pool either way.
    }
  }
  if (connectionsPool_.empty()) metaData_ = nullptr;
}

void JdbcConnection::connect() {
  Synchronized sync(monitor_);
  // A restored bean may say open with nothing in its pool: that is closed.
  if (!closed_ && !connectionsPool_.empty()) return;
  registerDriver();
  std::vector<Pooled> opened;
  try {
    Pooled first = createSQLConnection();
    if (first == nullptr) throw SQLException();
    opened.push_back(first);
    try {
      auto meta = first->sqlConnection->getMetaData();
      supportsTransactions_ = meta->supportsTransactions();
      defaultTransactionIsolation_ = meta->getDefaultTransactionIsolation();
      supportsOpenStatementsAcrossCommit_ = meta->supportsOpenStatementsAcrossCommit();
      supportsOpenStatementsAcrossRollback_ = meta->supportsOpenStatementsAcrossRollback();
      int max = meta->getMaxStatements();
      if (max > 0 && max < maxStatements_) maxStatements_ = max;
      metaData_ = meta;
    } catch (const SQLException& e) {
      plat::lang::System::out().println(std::string("Warning: ") + e.what());
      plat::lang::System::out().println("Defaulting to TRANSACTION_NONE");
      defaultTransactionIsolation_ = TRANSACTION_NONE;
      announceSQLMessages(std::string("Warning: ") + e.what());
    }
    connectionsPool_.push_back(first);
    setConnectionProperties(*first->sqlConnection);
    for (int i = 1; i < minConnections_; ++i) {
      Pooled next = createSQLConnection();
      if (next == nullptr) throw SQLException();
      opened.push_back(next);
      connectionsPool_.push_back(next);
      setConnectionProperties(*next->sqlConnection);
    }
  } catch (...) {
    // Nothing this call opened stays open when it fails.
    closePooled(std::move(opened));
    throw;
  }
  closed_ = false;
  announceSQLMessages("Connected to: " + getURL());
}

void JdbcConnection::setConnectionClosed(bool closed) {
  Synchronized sync(monitor_);
  if (!closed || closed_ || connectionsPool_.empty()) return;
  processVetoableChange(PROP_CONNCLOSED, Value(false), Value(true));
  for (const auto& pooled : connectionsPool_) {
    try {
      pooled->sqlConnection->close();
    } catch (const SQLException& e) {
      handleException(e);
    }
  }
  connectionsPool_.clear();
  statements_.clear();
  metaData_ = nullptr;
  closed_ = true;
  processPropertyChange(PROP_CONNCLOSED, Value(false), Value(true));
}

bool JdbcConnection::isConnectionClosed() {
  // The flag is atomic: every save asks, and need not wait for a statement being handed out.
  return closed_.load();
}

Ref<plat::sql::DatabaseMetaData> JdbcConnection::getMetaData() {
  Synchronized sync(monitor_);
  connect();
  if (connectionsPool_.empty()) throw SQLException("Connection is closed");
  return connectionsPool_.front()->sqlConnection->getMetaData();
}

Ref<plat::sql::Connection> JdbcConnection::getSQLConnection() {
  Synchronized sync(monitor_);
  return connectionsPool_.empty() ? nullptr : connectionsPool_.front()->sqlConnection;
}

std::vector<int> JdbcConnection::poolCounts() {
  Synchronized sync(monitor_);
  std::vector<int> counts;
  for (const auto& pooled : connectionsPool_) counts.push_back(pooled->openedStatements);
  return counts;
}

// --- statements ----------------------------------------------------------------------------------------------

JdbcConnection::Pooled JdbcConnection::getAvailableConnection() {
  // Every caller holds the monitor.
  // A statement asked of a bean without connections connects it properly (driver registered, settings read, marked
  // open), so that closing the bean later closes what the statement opened.
  // A transaction that lost a connection is not carried on over another one: it only rolls back.
  if (lostInTransaction_ && !m_TransactionState.empty()) {
    throw SQLException("The connection to the database was lost in this transaction; it is rolled back at its end",
                       "08003");
  }
  if (connectionsPool_.empty()) connect();
  for (const auto& pooled : connectionsPool_) {
    if (pooled->openedStatements < maxStatements_) return pooled;
  }
  if (static_cast<long long>(connectionsPool_.size()) >= maxConnections_) {
    throw SQLException("The connection pool is exhausted: all " + std::to_string(connectionsPool_.size()) +
                       " connections (maxConnections) hold " + std::to_string(maxStatements_.load()) +
                       " open statements (maxStatements)");
  }
  Pooled made = createSQLConnection();
  if (made == nullptr) throw SQLException();
  setConnectionProperties(*made->sqlConnection);
  connectionsPool_.push_back(made);
  return made;
}

template <class T>
Ref<T> JdbcConnection::enter(const Pooled& pooled, Ref<T> statement) {
  ++pooled->openedStatements;
  statements_.emplace_back(statement, pooled);
  return statement;
}

Ref<plat::sql::Statement> JdbcConnection::createStatement() {
  Synchronized sync(monitor_);
  Pooled pooled = getAvailableConnection();
  return enter(pooled, pooled->sqlConnection->createStatement());
}

Ref<plat::sql::PreparedStatement> JdbcConnection::prepareStatement(const std::string& sql) {
  Synchronized sync(monitor_);
  Pooled pooled = getAvailableConnection();
  return enter(pooled, pooled->sqlConnection->prepareStatement(sql));
}

Ref<plat::sql::CallableStatement> JdbcConnection::prepareCall(const std::string& sql) {
  Synchronized sync(monitor_);
  Pooled pooled = getAvailableConnection();
  return enter(pooled, pooled->sqlConnection->prepareCall(sql));
}

void JdbcConnection::closeStatement(const Ref<plat::sql::Statement>& statement) {
  if (statement == nullptr) return;
  Synchronized sync(monitor_);
  // The statement made last is usually the one closing.
  auto found = std::find_if(statements_.rbegin(), statements_.rend(),
                            [&statement](const auto& entry) { return entry.first == statement; });
  if (found != statements_.rend()) {
    --found->second->openedStatements;
    statements_.erase(std::next(found).base());
  }
  try {
    statement->close();
  } catch (const SQLException&) {
    // A statement that cannot close is forgotten all the same.
  }
}

// --- execution (outside the bean's lock) ---------------------------------------------------------------------

void JdbcConnection::markFailed(const SQLException& exception) {
  Synchronized sync(monitor_);
  if (m_TransactionState.empty() || !m_TransactionState.back()) return;
  m_TransactionState.back() = false;
  levelFailures_.back() = exception.clone();
}

JdbcConnection::Pooled JdbcConnection::pooledOf(const Ref<plat::sql::Statement>& statement) {
  Synchronized sync(monitor_);
  auto found = std::find_if(statements_.rbegin(), statements_.rend(),
                            [&statement](const auto& entry) { return entry.first == statement; });
  return found == statements_.rend() ? nullptr : found->second;
}

bool JdbcConnection::connectionLost(const Pooled& pooled, const SQLException& exception) {
  if (exception.getSQLState().rfind("08", 0) == 0) return true;
  if (pooled == nullptr) return false;
  try {
    return pooled->sqlConnection->isClosed();
  } catch (const SQLException&) {
    return true;
  }
}

void JdbcConnection::dropConnection(const Pooled& pooled, const std::string& reason) {
  // Every caller holds the monitor.
  auto at = std::find(connectionsPool_.begin(), connectionsPool_.end(), pooled);
  if (at == connectionsPool_.end()) return;
  const auto position = at - connectionsPool_.begin();
  connectionsPool_.erase(at);
  pooled->ownTransaction = false;
  statements_.erase(std::remove_if(statements_.begin(), statements_.end(),
                                   [&pooled](const auto& entry) { return entry.second == pooled; }),
                    statements_.end());
  try {
    pooled->sqlConnection->close();
  } catch (const SQLException&) {
    // It is gone either way.
  }
  if (!m_TransactionState.empty()) lostInTransaction_ = true;
  if (connectionsPool_.empty()) {
    metaData_ = nullptr;
    closed_ = true;
  }
  announceSQLMessages("Connection " + std::to_string(position + 1) + " lost and dropped from the pool: " + reason);
}

bool JdbcConnection::failed(const Pooled& pooled, const SQLException& exception) {
  Synchronized sync(monitor_);
  markFailed(exception);
  if (pooled == nullptr || !connectionLost(pooled, exception)) return false;
  dropConnection(pooled, exception.getMessage());
  // A restarted or unreachable server has taken the others with it: the idle ones go too, so that the next
  // statement opens a fresh connection instead of failing on the next dead one. Outside a transaction only, where
  // an idle connection holds no uncommitted work.
  if (m_TransactionState.empty()) dropIdleConnections();
  return true;
}

void JdbcConnection::dropIdleConnections() {
  // Every caller holds the monitor.
  const std::vector<Pooled> pool = connectionsPool_;
  for (const auto& other : pool) {
    if (other->openedStatements == 0 && !other->ownTransaction) dropConnection(other, "dropped with connection lost");
  }
}

bool JdbcConnection::statementFailed(const Ref<plat::sql::Statement>& statement, const SQLException& e) {
  return failed(pooledOf(statement), e);
}

Ref<plat::sql::ResultSet> JdbcConnection::executeQuery(const Ref<plat::sql::Statement>& statement,
                                                       const std::string& sql, const std::string& logText) {
  announceSQLMessages(logText);
  const Pooled pooled = pooledOf(statement);
  try {
    std::unique_lock<std::mutex> running;
    if (pooled) running = std::unique_lock(pooled->executing);
    if (auto prepared = std::dynamic_pointer_cast<plat::sql::PreparedStatement>(statement)) {
      return prepared->executeQuery();
    }
    return statement->executeQuery(sql);
  } catch (const SQLException& e) {
    failed(pooled, e);
    throw;
  }
}

int JdbcConnection::executeStatement(const Ref<plat::sql::Statement>& statement, const std::string& sql,
                                     const std::string& logText) {
  announceSQLMessages(logText);
  const Pooled pooled = pooledOf(statement);
  try {
    std::unique_lock<std::mutex> running;
    if (pooled) running = std::unique_lock(pooled->executing);
    if (auto prepared = std::dynamic_pointer_cast<plat::sql::PreparedStatement>(statement)) {
      return prepared->executeUpdate();
    }
    return statement->executeUpdate(sql);
  } catch (const SQLException& e) {
    failed(pooled, e);
    throw;
  }
}

void JdbcConnection::endOwnTransaction(const Pooled& pooled, bool commit) {
  // Every caller holds the monitor. A bean transaction begun meanwhile keeps the connection out of auto-commit;
  // it ran nothing on this connection yet, since its statements wait for the one running here.
  pooled->ownTransaction = false;
  plat::sql::Connection& connection = *pooled->sqlConnection;
  const bool backToAutoCommit = m_TransactionState.empty() && autoCommit_;
  try {
    if (commit) {
      if (backToAutoCommit) {
        connection.setAutoCommit(true);
      } else {
        connection.commit();
      }
      return;
    }
    connection.rollback();
  } catch (const SQLException&) {
    // A failed end undoes the write and puts the connection back in its mode before it is reported: left open,
    // the transaction would take in every later write of the connection.
    try {
      connection.rollback();
    } catch (const SQLException&) {
    }
    if (backToAutoCommit) {
      try {
        connection.setAutoCommit(true);
      } catch (const SQLException&) {
      }
    }
    throw;
  }
  if (backToAutoCommit) connection.setAutoCommit(true);
}

int JdbcConnection::executeRowWrite(const Ref<plat::sql::PreparedStatement>& statement, const std::string& logText,
                                    bool& autoCommitted) {
  announceSQLMessages(logText);
  const Pooled pooled = pooledOf(statement);
  std::unique_lock<std::mutex> running;
  if (pooled) running = std::unique_lock(pooled->executing);
  {
    Synchronized sync(monitor_);
    try {
      // The statement's own connection says whether its write would commit at once.
      autoCommitted = m_TransactionState.empty() && (pooled ? pooled->sqlConnection->getAutoCommit() : isAutoCommit());
    } catch (const SQLException& e) {
      failed(pooled, e);
      throw;
    }
    if (autoCommitted && pooled) {
      try {
        pooled->sqlConnection->setAutoCommit(false);
        pooled->ownTransaction = true;
      } catch (const SQLException& e) {
        failed(pooled, e);
        throw;
      }
    }
  }
  const bool own = autoCommitted && pooled != nullptr;
  int count = 0;
  try {
    count = statement->executeUpdate();
  } catch (const SQLException& e) {
    Synchronized sync(monitor_);
    if (!failed(pooled, e) && own) {
      try {
        endOwnTransaction(pooled, false);
      } catch (const SQLException& undo) {
        failed(pooled, undo);
      }
    }
    throw;
  }
  std::unique_ptr<SQLException> refusal;
  if (count == 0) refusal = std::make_unique<SQLException>("Record could not be found in DB");
  if (count > 1) refusal = std::make_unique<SQLException>("More than one record matched in DB");
  if (own) {
    Synchronized sync(monitor_);
    try {
      endOwnTransaction(pooled, refusal == nullptr);
    } catch (const SQLException& e) {
      failed(pooled, e);
      throw;
    }
  } else if (refusal != nullptr && count > 1) {
    // Inside a transaction the rows it reached stay written until the level ends, which must roll them back.
    markFailed(*refusal);
  }
  if (refusal != nullptr) throw *refusal;
  return count;
}

// --- transactions --------------------------------------------------------------------------------------------

void JdbcConnection::beginTransaction() {
  Synchronized sync(monitor_);
  if (!supportsTransactions_) return;
  bool wasAutoCommit = isAutoCommit();
  m_AutoCommitMode.push_back(wasAutoCommit);
  m_TransactionState.push_back(true);
  levelFailures_.push_back(nullptr);
  try {
    if (!supportsOpenStatementsAcrossCommit_ || !supportsOpenStatementsAcrossRollback_) {
      std::vector<Ref<plat::sql::Statement>> open;
      for (const auto& entry : statements_) open.push_back(entry.first);
      for (const auto& statement : open) closeStatement(statement);
    }
    setAutoCommit(false);
    announceSQLMessages(BEGIN_TRANSACTION);
  } catch (const SQLException&) {
    m_AutoCommitMode.pop_back();
    m_TransactionState.pop_back();
    levelFailures_.pop_back();
    if (wasAutoCommit) {
      try {
        setAutoCommit(true);
      } catch (const SQLException&) {
        // The first failure is the one to report.
      }
    }
    throw;
  }
}

void JdbcConnection::endTransaction(bool commitWanted) {
  Synchronized sync(monitor_);
  if (!supportsTransactions_ || m_TransactionState.empty()) return;
  bool succeeded = m_TransactionState.back();
  std::shared_ptr<plat::lang::Throwable> failure = levelFailures_.back();
  bool restoreAutoCommit = m_AutoCommitMode.back();
  m_TransactionState.pop_back();
  levelFailures_.pop_back();
  m_AutoCommitMode.pop_back();
  const bool lost = lostInTransaction_ && m_TransactionState.empty();
  if (m_TransactionState.empty()) lostInTransaction_ = false;

  std::shared_ptr<plat::lang::Throwable> commitFailure;
  if (commitWanted && succeeded) {
    try {
      commit();
    } catch (const SQLException& e) {
      commitFailure = e.clone();
      // Whatever the commit left behind is undone before auto-commit could commit it.
      try {
        rollback();
      } catch (const SQLException&) {
      }
    }
  } else {
    try {
      rollback();
    } catch (const SQLException&) {
      // The level's own failure, if any, is the one to report.
    }
  }
  if (restoreAutoCommit) {
    try {
      setAutoCommit(true);
    } catch (const SQLException&) {
    }
  }
  // The connection lost inside the transaction most likely took the idle ones with it (a restarted server); now
  // that nothing uncommitted is left they go, so that the next statement opens a fresh one.
  if (lost) dropIdleConnections();
  // A failed inner level fails every level around it.
  std::shared_ptr<plat::lang::Throwable> levelFailure = commitFailure != nullptr ? commitFailure : failure;
  if ((!succeeded || commitFailure != nullptr) && !m_TransactionState.empty() && m_TransactionState.back()) {
    m_TransactionState.back() = false;
    levelFailures_.back() = levelFailure != nullptr ? levelFailure : std::make_shared<SQLException>("Rolled back");
  }
  if (commitFailure != nullptr) commitFailure->raise();
  if (commitWanted && !succeeded) {
    if (failure != nullptr) failure->raise();
    throw SQLException("The transaction was rolled back");
  }
}

void JdbcConnection::commit() {
  Synchronized sync(monitor_);
  // One connection after the other: what committed before a failing commit stays committed, and the log says so.
  const std::vector<Pooled> pool = connectionsPool_;
  std::string committed;
  for (std::size_t i = 0; i < pool.size(); ++i) {
    const Pooled& pooled = pool[i];
    if (pooled == nullptr || pooled->sqlConnection == nullptr) handleException(SQLException("Connection is closed"));
    if (pooled->ownTransaction) continue;
    try {
      pooled->sqlConnection->commit();
      committed += (committed.empty() ? "" : ", ") + std::to_string(i + 1);
    } catch (const SQLException& e) {
      announceSQLMessages("Commit failed on connection " + std::to_string(i + 1) + " of " +
                          std::to_string(pool.size()) + ": " + e.getMessage() +
                          "; committed before it: " + (committed.empty() ? "none" : "connection " + committed));
      if (connectionLost(pooled, e)) dropConnection(pooled, e.getMessage());
      handleException(e);
    }
  }
  announceSQLMessages(COMMIT_TRANSACTION);
}

void JdbcConnection::rollback() {
  Synchronized sync(monitor_);
  applyToPool([](plat::sql::Connection& c) { c.rollback(); }, true);
  announceSQLMessages(ROLLBACK_TRANSACTION);
}

// --- connect failures ----------------------------------------------------------------------------------------

void JdbcConnection::addConnectFailedListener(Ref<ConnectFailedListener> listener) {
  Synchronized sync(monitor_);
  m_ConnectFailedListeners.push_back(std::move(listener));
}

void JdbcConnection::removeConnectFailedListener(const Ref<ConnectFailedListener>& listener) {
  Synchronized sync(monitor_);
  auto at = std::find(m_ConnectFailedListeners.begin(), m_ConnectFailedListeners.end(), listener);
  if (at != m_ConnectFailedListeners.end()) m_ConnectFailedListeners.erase(at);
}

void JdbcConnection::connectFailed(const ConnectFailedEvent& event) {
  try {
    auto made = plat::runvale::ClassRegistry::instance().newInstance(getConnectFailedListener());
    if (auto listener = std::dynamic_pointer_cast<ConnectFailedListener>(made)) listener->connectFailed(event);
  } catch (...) {
    // A listener cannot stop the failing connect; its own failures go nowhere.
  }
  std::vector<Ref<ConnectFailedListener>> listeners;
  {
    Synchronized sync(monitor_);
    listeners = m_ConnectFailedListeners;
  }
  try {
    for (const auto& listener : listeners) listener->connectFailed(event);
  } catch (...) {
  }
}

// --- logging -------------------------------------------------------------------------------------------------

void JdbcConnection::announceSQLMessages(const std::string& text) const {
  if (designTime()) return;
  try {
    util::LogWindowHelper::getInstance().displayMsgToLog("SQL", text);
  } catch (...) {
    // The log is a bystander: its failure does not fail the statement.
  }
}

void JdbcConnection::warn(const std::string& text) const {
  plat::lang::System::out().println(text);
  announceSQLMessages(text);
}

// --- identity and events -------------------------------------------------------------------------------------

bool JdbcConnection::equals(const plat::lang::Object& other) const {
  auto* that = dynamic_cast<const JdbcConnection*>(&other);
  if (that == nullptr) return false;
  if (that == this) return true;
  try {
    auto* self = const_cast<JdbcConnection*>(this);
    auto* peer = const_cast<JdbcConnection*>(that);
    return getURL() == that->getURL() && getDriverName() == that->getDriverName() &&
           getUserName() == that->getUserName() && getPassword() == that->getPassword() &&
           self->isReadOnly() == peer->isReadOnly();
  } catch (const plat::lang::Throwable& e) {
    plat::lang::System::err().println(e.toString());
    return false;
  }
}

void JdbcConnection::propertyChange(const plat::beans::PropertyChangeEvent& event) {
  if (event.getSource() == this) return;
  JDBCBean::propertyChange(event);
}

// --- saved settings and automatic start ----------------------------------------------------------------------

std::vector<std::uint8_t> JdbcConnection::save() const {
  plat::serial::ObjectOutput out;
  writeBase(out);
  std::lock_guard lock(propertyMutex_);
  out.writeUTF(version_);
  out.writeUTF(driverName_);
  out.writeUTF(url_);
  out.writeUTF(userName_);
  out.writeUTF(password_);
  out.writeBoolean(autoCommit_);
  out.writeBoolean(readOnly_);
  out.writeInt(transactionIsolation_);
  out.writeInt(defaultTransactionIsolation_);
  out.writeUTF(catalog_);
  out.writeUTF(identifier_);
  out.writeUTF(loginFailedPattern_);
  out.writeUTF(connectFailedListener_);
  out.writeBoolean(closed_);
  out.writeBoolean(supportsOpenStatementsAcrossCommit_);
  out.writeBoolean(supportsOpenStatementsAcrossRollback_);
  out.writeBoolean(supportsTransactions_);
  out.writeInt(maxStatements_);
  out.writeInt(minConnections_);
  out.writeInt(maxConnections_);
  return out.bytes();
}

Ref<JdbcConnection> JdbcConnection::restore(const std::vector<std::uint8_t>& bytes) {
  plat::serial::ObjectInput in(bytes);
  auto bean = plat::lang::makeRef<JdbcConnection>();
  bean->readBase(in);
  {
    std::lock_guard lock(bean->propertyMutex_);
    bean->version_ = in.readUTF();
    bean->driverName_ = in.readUTF();
    bean->url_ = in.readUTF();
    bean->userName_ = in.readUTF();
    bean->password_ = in.readUTF();
    bean->autoCommit_ = in.readBoolean();
    bean->readOnly_ = in.readBoolean();
    bean->transactionIsolation_ = in.readInt();
    bean->defaultTransactionIsolation_ = in.readInt();
    bean->catalog_ = in.readUTF();
    bean->identifier_ = in.readUTF();
    bean->loginFailedPattern_ = in.readUTF();
    bean->connectFailedListener_ = in.readUTF();
    bean->closed_ = in.readBoolean();
    bean->supportsOpenStatementsAcrossCommit_ = in.readBoolean();
    bean->supportsOpenStatementsAcrossRollback_ = in.readBoolean();
    bean->supportsTransactions_ = in.readBoolean();
    bean->maxStatements_ = in.readInt();
    bean->minConnections_ = in.readInt();
    bean->maxConnections_ = in.readInt();
  }
  if (!in.atEnd()) throw plat::serial::StreamCorruptedException("unread data after the saved settings");
  if (bean->minConnections_ < 1 || bean->maxConnections_ < bean->minConnections_ || bean->maxStatements_ < 1) {
    throw plat::serial::InvalidObjectException("Saved pool limits are out of range");
  }
  bean->validateObject();
  return bean;
}

void JdbcConnection::validateObject() {
  std::string version;
  {
    std::lock_guard lock(propertyMutex_);
    version = version_;
  }
  if (version != kVersion) {
    throw plat::serial::InvalidObjectException("Serialized version " + version +
                                               "is not compatible with Connection version " + kVersion);
  }
  JDBCBean::validateObject();
}

void JdbcConnection::doAutoStart() {
  auto self = std::dynamic_pointer_cast<JdbcConnection>(weak_from_this().lock());
  // Only a shared bean can outlive its starting thread safely; restore() always makes one.
  if (self == nullptr) throw plat::lang::IllegalStateException("A bean that starts by itself must be shared");
  auto thread = plat::lang::makeRef<plat::thread::Thread>([self] {
    try {
      self->connect();
    } catch (const SQLException& e) {
      self->printMessage("Attempt to connect to database " + self->getURL() + " via Driver " + self->getDriverName() +
                         " failed: " + e.toString());
      // connect() closed and dropped what it opened.
    }
  });
  thread->start();
}

}  // namespace quenlora::zafoli::db::beans::jdbc
