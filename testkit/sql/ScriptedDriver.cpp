#include "testkit/sql/ScriptedDriver.h"

#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/CallableStatement.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DatabaseMetaData.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/SQLException.h"

namespace testkit {

namespace {

using plat::lang::Ref;
using plat::sql::SQLException;

class ScriptedResultSet : public plat::sql::ResultSet {
 public:
  bool next() override { return row_++ == 0; }
  void close() override { closed_ = true; }
  bool isClosed() const override { return closed_; }
  bool wasNull() override { return false; }
  std::int32_t getInt(int) override { return 1; }
  std::string getString(int) override { return "1"; }

 private:
  int row_ = 0;
  bool closed_ = false;
};

class ScriptedMetaData : public plat::sql::DatabaseMetaData {
 public:
  explicit ScriptedMetaData(ScriptedDatabase::MetaData meta) : meta_(meta) {}
  bool supportsTransactions() override { return meta_.supportsTransactions; }
  int getDefaultTransactionIsolation() override { return meta_.defaultIsolation; }
  bool supportsOpenStatementsAcrossCommit() override { return meta_.acrossCommit; }
  bool supportsOpenStatementsAcrossRollback() override { return meta_.acrossRollback; }
  int getMaxStatements() override { return meta_.maxStatements; }
  std::string getDatabaseProductName() override { return meta_.productName; }

 private:
  ScriptedDatabase::MetaData meta_;
};

// Plain, prepared and callable statements in one: the kind only changes which execute is called.
class ScriptedStatement : public plat::sql::CallableStatement {
 public:
  ScriptedStatement(std::shared_ptr<ScriptedDatabase> db, std::string prefix, std::string sql)
      : db_(std::move(db)), prefix_(std::move(prefix)), sql_(std::move(sql)) {}

  Ref<plat::sql::ResultSet> executeQuery(const std::string& sql) override {
    record("executeQuery", sql);
    return plat::lang::makeRef<ScriptedResultSet>();
  }
  int executeUpdate(const std::string& sql) override {
    record("executeUpdate", sql);
    return 1;
  }
  Ref<plat::sql::ResultSet> executeQuery() override { return executeQuery(sql_); }
  int executeUpdate() override { return executeUpdate(sql_); }
  // Runs as an update: no result set, an update count of 1.
  bool execute() override {
    record("execute", sql_);
    return false;
  }
  int getUpdateCount() override {
    if (closed_) throw SQLException("Statement is closed");
    return 1;
  }
  Ref<plat::sql::ResultSet> getResultSet() override { return nullptr; }
  bool getMoreResults() override { return false; }
  void registerOutParameter(int index, int sqlType) override {
    record("registerOutParameter", std::to_string(index) + "," + std::to_string(sqlType));
  }
  void registerOutParameter(int index, int sqlType, int scale) override {
    record("registerOutParameter", std::to_string(index) + "," + std::to_string(sqlType) + "," + std::to_string(scale));
  }
  void setNull(int index, int sqlType) override {
    record("setNull", std::to_string(index) + "," + std::to_string(sqlType));
  }
  void setObject(int index, const plat::lang::Value& value, int sqlType) override {
    record("setObject", std::to_string(index) + "," + value.toString() + "," + std::to_string(sqlType));
  }
  void setObject(int index, const plat::lang::Value& value, int sqlType, int scale) override {
    record("setObject", std::to_string(index) + "," + value.toString() + "," + std::to_string(sqlType) + "," +
                            std::to_string(scale));
  }
  void setInt(int index, std::int32_t value) override {
    record("setInt", std::to_string(index) + "," + std::to_string(value));
  }
  void setString(int index, const std::string& value) override {
    record("setString", std::to_string(index) + "," + value);
  }
  void setBigDecimal(int index, const plat::math::Decimal& value) override {
    record("setBigDecimal", std::to_string(index) + "," + value.toString());
  }
  // Out-values: every one reads as the integer 7 (text "7").
  std::int32_t getInt(int) override { return 7; }
  std::string getString(int) override { return "7"; }
  bool wasNull() override { return false; }
  void close() override {
    closed_ = true;
    db_->call(prefix_ + "closeStatement", "closeStatement");
  }
  bool isClosed() const override { return closed_; }

 private:
  void record(const char* operation, const std::string& sql) {
    if (closed_) throw SQLException("Statement is closed");
    db_->call(prefix_ + operation + "(" + sql + ")", operation);
  }

  std::shared_ptr<ScriptedDatabase> db_;
  std::string prefix_;
  std::string sql_;
  bool closed_ = false;
};

class ScriptedConnection : public plat::sql::Connection {
 public:
  ScriptedConnection(std::shared_ptr<ScriptedDatabase> db, int number)
      : db_(std::move(db)), prefix_("c" + std::to_string(number) + ".") {}
  ~ScriptedConnection() override {
    if (!closed_) db_->closed();
  }

  Ref<plat::sql::Statement> createStatement() override {
    call("createStatement", "createStatement");
    return plat::lang::makeRef<ScriptedStatement>(db_, prefix_, "");
  }
  Ref<plat::sql::PreparedStatement> prepareStatement(const std::string& sql) override {
    call("prepareStatement(" + sql + ")", "prepareStatement");
    return plat::lang::makeRef<ScriptedStatement>(db_, prefix_, sql);
  }
  Ref<plat::sql::CallableStatement> prepareCall(const std::string& sql) override {
    call("prepareCall(" + sql + ")", "prepareCall");
    return plat::lang::makeRef<ScriptedStatement>(db_, prefix_, sql);
  }
  void setAutoCommit(bool on) override {
    call(std::string("setAutoCommit(") + (on ? "true" : "false") + ")", "setAutoCommit");
    autoCommit_ = on;
  }
  bool getAutoCommit() override {
    call("getAutoCommit", "getAutoCommit");
    return autoCommit_;
  }
  void commit() override { call("commit", "commit"); }
  void rollback() override { call("rollback", "rollback"); }
  void close() override {
    if (closed_) return;
    call("close", "close");
    closed_ = true;
    db_->closed();
  }
  bool isClosed() override { return closed_; }
  Ref<plat::sql::DatabaseMetaData> getMetaData() override {
    call("getMetaData", "getMetaData");
    auto meta = db_->metaData();
    if (meta.fails) throw SQLException("metadata unavailable");
    return plat::lang::makeRef<ScriptedMetaData>(meta);
  }
  void setReadOnly(bool on) override {
    call(std::string("setReadOnly(") + (on ? "true" : "false") + ")", "setReadOnly");
    readOnly_ = on;
  }
  bool isReadOnly() override {
    call("isReadOnly", "isReadOnly");
    return readOnly_;
  }
  void setCatalog(const std::string& catalog) override {
    call("setCatalog(" + catalog + ")", "setCatalog");
    catalog_ = catalog;
  }
  std::string getCatalog() override {
    call("getCatalog", "getCatalog");
    return catalog_;
  }
  void setTransactionIsolation(int level) override {
    call("setTransactionIsolation(" + std::to_string(level) + ")", "setTransactionIsolation");
    isolation_ = level;
  }
  int getTransactionIsolation() override {
    call("getTransactionIsolation", "getTransactionIsolation");
    return isolation_;
  }

 private:
  void call(const std::string& record, const std::string& operation) {
    if (closed_) throw SQLException("Connection is closed");
    db_->call(prefix_ + record, operation);
  }

  std::shared_ptr<ScriptedDatabase> db_;
  std::string prefix_;
  bool closed_ = false;
  bool autoCommit_ = true;
  bool readOnly_ = false;
  std::string catalog_;
  int isolation_ = 2;
};

}  // namespace

Ref<plat::sql::Connection> ScriptedDriver::connect(const std::string& url, const plat::util::Properties& info) {
  if (!acceptsURL(url)) return nullptr;
  int number = database_->connected(url, info.getProperty("user", ""), info.getProperty("password", ""));
  return plat::lang::makeRef<ScriptedConnection>(database_, number);
}

void ScriptedDriver::registerClass(const std::string& className, std::shared_ptr<ScriptedDatabase> database) {
  for (const auto& driver : plat::sql::DriverManager::getDrivers()) {
    if (std::dynamic_pointer_cast<ScriptedDriver>(driver) != nullptr)
      plat::sql::DriverManager::deregisterDriver(driver);
  }
  plat::runvale::ClassInfo info;
  info.name = className;
  info.factory = [className, database] {
    return Ref<plat::lang::Object>(plat::lang::makeRef<ScriptedDriver>(className, database));
  };
  info.interfaces = {"java.sql.Driver"};
  plat::runvale::ClassRegistry::instance().registerClass(std::move(info));
}

}  // namespace testkit
