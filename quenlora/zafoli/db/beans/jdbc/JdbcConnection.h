// The data-binding library's connection to one database: one set of settings (driver class, URL, user, password
// and the connection properties) and a pool of physical connections opened with them. Statements are handed out
// from the first pooled connection with room (maxStatements each), opening another up to maxConnections. Begin and
// end calls nest; a level in which any execution failed rolls back, and its end reports that failure. Every SQL
// text and transaction step goes to the library's log at run time.
//
// A transaction is not atomic across the pool: its end commits the pooled connections one after the other, so when
// a later commit fails the earlier ones stay committed (the log names them). A failure of connection class (SQL
// state 08..., or a connection the driver reports closed) drops that physical connection from the pool, and outside
// a transaction the idle ones with it; then the next statement opens a fresh one, while inside a transaction the
// transaction fails and rolls back at its end.
//
// Thread contract: the bean's re-entrant monitor guards the pool, the statement table and the transaction stacks;
// every operation takes it except the executions (statements run in parallel on different pooled connections and
// one at a time on one connection; the monitor is taken only briefly around them), connectFailed (which calls the
// listeners outside it) and the plain property accessors (safe from any thread).
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/sql/CallableStatement.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Statement.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/Connection.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedEvent.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectFailedListener.h"
#include "quenlora/zafoli/db/beans/jdbc/JDBCBean.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JdbcConnection : public JDBCBean, public binding::Connection {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.JdbcConnection";
  static constexpr const char* kVersion = "0.02";

  static constexpr int TRANSACTION_NONE = 0;
  static constexpr int TRANSACTION_READ_UNCOMMITTED = 1;
  static constexpr int TRANSACTION_READ_COMMITTED = 2;
  static constexpr int TRANSACTION_REPEATABLE_READ = 4;
  static constexpr int TRANSACTION_SERIALIZABLE = 8;
  static constexpr int TRANSACTION_DEFAULT = 16;
  static constexpr const char* BEGIN_TRANSACTION = "Begin Transaction";
  static constexpr const char* COMMIT_TRANSACTION = "Commit Transaction";
  static constexpr const char* ROLLBACK_TRANSACTION = "Rollback Transaction";
  static constexpr const char* USER_ID = "userid";
  static constexpr const char* USER = "user";
  static constexpr const char* PASSWORD = "password";
  static constexpr const char* POINTBASE_DRIVER = "com.pointbase.jdbc.jdbcDriver";
  static constexpr const char* PROP_DRIVERNAME = "driverName";
  static constexpr const char* PROP_URL = "url";
  static constexpr const char* PROP_USERNAME = "userName";
  static constexpr const char* PROP_PASSWORD = "password";
  static constexpr const char* PROP_CATALOG = "catalog";
  static constexpr const char* PROP_AUTOCOMMIT = "autoCommit";
  static constexpr const char* PROP_READONLY = "readOnly";
  static constexpr const char* PROP_CONNCLOSED = "connectionClosed";
  static constexpr const char* PROP_TRANS_ISOLATION = "transactionIsolationLevel";
  static constexpr const char* CLASS_NAME = "JdbcConnection.";
  static constexpr const char* kDefaultDriver = "quenlora.zafoli.db.jdbc.Driver";
  static constexpr const char* kDefaultListener = "quenlora.zafoli.db.beans.jdbc.DefaultConnectFailedListener";

  // One pooled physical connection and the number of statements open on it (guarded by the bean's monitor).
  class SQLConnection {
   public:
    // IllegalArgumentException for a missing or closed connection.
    explicit SQLConnection(plat::lang::Ref<plat::sql::Connection> connection);
    plat::lang::Ref<plat::sql::Connection> sqlConnection;
    int openedStatements = 0;
    // Held while a statement runs on the connection, so that a row write's own short transaction takes in no
    // other thread's statement.
    std::mutex executing;
    // True while a row write's own transaction is open on it: the pool-wide commit, rollback and auto-commit
    // switches leave it to that write (guarded by the bean's monitor).
    bool ownTransaction = false;
  };

  JdbcConnection();
  JdbcConnection(const std::string& driverName, const std::string& url, const std::string& userName,
                 const std::string& password);
  ~JdbcConnection() override;

  std::string getDriverName() const;
  void setDriverName(const std::string& driverName);
  std::string getURL() const;
  void setURL(const std::string& url);
  std::string getUserName() const;
  void setUserName(const std::string& userName);
  std::string getPassword() const;
  void setPassword(const std::string& password);
  std::string getIdentifier() const;
  void setIdentifier(const std::string& identifier);
  std::string getLoginFailedPattern() const;
  void setLoginFailedPattern(const std::string& pattern);
  std::string getConnectFailedListener() const;
  void setConnectFailedListener(const std::string& className);
  int getMaxStatements() const { return maxStatements_; }
  // A value below 1 means no limit (2147483647).
  void setMaxStatements(int maxStatements);
  int getMinConnections() const { return minConnections_; }
  // IllegalArgumentException below 1 or above maxConnections.
  void setMinConnections(int minConnections);
  int getMaxConnections() const { return maxConnections_; }
  // IllegalArgumentException below minConnections.
  void setMaxConnections(int maxConnections);
  int getDefaultTransactionIsolation() const { return defaultTransactionIsolation_; }

  // Live properties: stored, then applied to every pooled connection; a failure is thrown on.
  void setAutoCommit(bool autoCommit);
  bool isAutoCommit() override;
  void setReadOnly(bool readOnly);
  bool isReadOnly();
  bool getReadOnly() { return isReadOnly(); }
  void setCatalog(const std::string& catalog);
  std::string getCatalog();
  void setTransactionIsolation(int level);
  int getTransactionIsolation();

  // Opens minConnections physical connections; nothing when connected. SQLException when it cannot, after
  // closing what it opened.
  void connect();
  // true closes every pooled connection (vetoable as "connectionClosed"); false does nothing.
  void setConnectionClosed(bool closed);
  bool isConnectionClosed();
  // Connects first. SQLException "Connection is closed" when there is still no connection.
  plat::lang::Ref<plat::sql::DatabaseMetaData> getMetaData();
  // The first pooled connection, or null.
  plat::lang::Ref<plat::sql::Connection> getSQLConnection();

  plat::lang::Ref<plat::sql::Statement> createStatement();
  plat::lang::Ref<plat::sql::PreparedStatement> prepareStatement(const std::string& sql);
  plat::lang::Ref<plat::sql::CallableStatement> prepareCall(const std::string& sql);
  // Closes a statement and frees its place on its connection; failures are swallowed.
  void closeStatement(const plat::lang::Ref<plat::sql::Statement>& statement);

  // Run a prepared statement as it is, a plain one with sql; logText goes to the log first. A failure marks the
  // open transaction level failed and is thrown on.
  plat::lang::Ref<plat::sql::ResultSet> executeQuery(const plat::lang::Ref<plat::sql::Statement>& statement,
                                                     const std::string& sql, const std::string& logText);
  int executeStatement(const plat::lang::Ref<plat::sql::Statement>& statement, const std::string& sql,
                       const std::string& logText);
  // Runs a row's prepared UPDATE or DELETE so that it changes exactly one row. Outside a transaction it runs in a
  // short transaction of its own on the statement's connection, rolled back unless exactly one row matched; inside
  // one, a count above one fails the level. SQLException "Record could not be found in DB" or "More than one
  // record matched in DB". autoCommitted tells whether it ran outside a transaction (and so is committed).
  int executeRowWrite(const plat::lang::Ref<plat::sql::PreparedStatement>& statement, const std::string& logText,
                      bool& autoCommitted);
  // A statement of this bean failed outside executeQuery and executeStatement (an adapter's call): the open
  // level fails and a lost connection leaves the pool. Answers whether the connection was lost.
  bool statementFailed(const plat::lang::Ref<plat::sql::Statement>& statement, const plat::sql::SQLException& e);

  // Opens a level: auto-commit goes off on every pooled connection. SQLException when that fails (the level is
  // then not open and auto-commit is back).
  void beginTransaction() override;
  // Ends the innermost level: commits when commit is true and nothing in it failed, else rolls back; auto-commit
  // comes back when it was on at the outermost begin. With commit true, a rolled-back level throws the failure
  // that failed it and a failed commit throws its own exception (after rolling back).
  void endTransaction(bool commit) override;
  void commit();
  void rollback();

  void addConnectFailedListener(plat::lang::Ref<ConnectFailedListener> listener);
  void removeConnectFailedListener(const plat::lang::Ref<ConnectFailedListener>& listener);
  // Tells the listener of the bean's listener class, then the added listeners; their failures are swallowed.
  void connectFailed(const ConnectFailedEvent& event);

  // Same URL, driver, user, password and (live) read-only setting.
  bool equals(const plat::lang::Object& other) const override;
  void propertyChange(const plat::beans::PropertyChangeEvent& event) override;

  // The saved form of the settings, and a bean restored from one (checked by validateObject, which may start it).
  std::vector<std::uint8_t> save() const;
  // StreamCorruptedException for a damaged form, InvalidObjectException for a foreign version.
  static plat::lang::Ref<JdbcConnection> restore(const std::vector<std::uint8_t>& bytes);
  void validateObject() override;

  // The number of pooled physical connections, and the open statements counted on each, in pool order.
  std::vector<int> poolCounts();

  std::string getClassName() const override { return kClassName; }

 protected:
  // Connects on a new thread; a failure there is printed (when debug) and leaves the pool empty.
  void doAutoStart() override;

 private:
  using Pooled = std::shared_ptr<SQLConnection>;

  void registerDriver();
  Pooled createSQLConnection();
  bool isLoginFailed(const plat::sql::SQLException& exception) const;
  Pooled getAvailableConnection();
  void setConnectionProperties(plat::sql::Connection& connection);
  // skipOwn leaves out the connections on which a row write's own transaction is open.
  void applyToPool(const std::function<void(plat::sql::Connection&)>& apply, bool skipOwn = false);
  void announceSQLMessages(const std::string& text) const;
  void warn(const std::string& text) const;
  void markFailed(const plat::sql::SQLException& exception);
  // The pooled connection that made the statement, or null.
  Pooled pooledOf(const plat::lang::Ref<plat::sql::Statement>& statement);
  // Marks the level failed and, for a failure of connection class, drops the connection; true when dropped.
  bool failed(const Pooled& pooled, const plat::sql::SQLException& exception);
  bool connectionLost(const Pooled& pooled, const plat::sql::SQLException& exception);
  void dropConnection(const Pooled& pooled, const std::string& reason);
  // Drops the connections without open statements or a row write's own transaction.
  void dropIdleConnections();
  // Ends a row write's own transaction: commit keeps it, else it is rolled back.
  void endOwnTransaction(const Pooled& pooled, bool commit);
  void closePooled(std::vector<Pooled> opened);
  template <class T>
  plat::lang::Ref<T> enter(const Pooled& pooled, plat::lang::Ref<T> statement);

  mutable plat::thread::Monitor monitor_;

  // Text settings, guarded by propertyMutex_.
  std::string version_ = kVersion;
  std::string driverName_ = kDefaultDriver;
  std::string url_;
  std::string userName_;
  std::string password_;
  std::string catalog_;
  std::string identifier_ = "jdbcConnection1";
  std::string loginFailedPattern_ = "userid user password";
  std::string connectFailedListener_ = kDefaultListener;

  std::atomic<bool> autoCommit_{true};
  std::atomic<bool> readOnly_{false};
  std::atomic<int> transactionIsolation_{TRANSACTION_DEFAULT};
  std::atomic<int> defaultTransactionIsolation_{TRANSACTION_DEFAULT};
  std::atomic<bool> closed_{true};
  std::atomic<int> maxStatements_{2147483647};
  std::atomic<int> minConnections_{1};
  std::atomic<int> maxConnections_{2147483647};

  // Guarded by monitor_.
  bool supportsOpenStatementsAcrossCommit_ = true;
  bool supportsOpenStatementsAcrossRollback_ = true;
  bool supportsTransactions_ = true;
  std::vector<Pooled> connectionsPool_;
  plat::lang::Ref<plat::sql::DatabaseMetaData> metaData_;
  // The open statements handed out, each with its pooled connection, in the order they were made: few at a
  // time, and made and closed for every statement a row writes, so a flat list costs less than a tree.
  std::vector<std::pair<plat::lang::Ref<plat::sql::Statement>, Pooled>> statements_;
  std::vector<bool> m_AutoCommitMode;
  std::vector<bool> m_TransactionState;
  std::vector<std::shared_ptr<plat::lang::Throwable>> levelFailures_;  // the failure that failed each level
  bool lostInTransaction_ = false;  // a connection was dropped while a level was open
  std::vector<plat::lang::Ref<ConnectFailedListener>> m_ConnectFailedListeners;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
