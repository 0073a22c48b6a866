// A callable statement on an SQLite connection. SQLite has neither stored procedures nor out-parameters, so this
// is a prepared statement under the callable interface: plain SQL with in-parameters, its result sets and update
// counts. A call escape ("{call ...}", "{? = call ...}") is refused when prepared, and registering an out-parameter
// raises SQLException. Used by one thread at a time.
#pragma once

#include <string>

#include "platform/sql/CallableStatement.h"
#include "platform/sqlite/SqlitePreparedStatement.h"

namespace plat::sql::sqlite {

class SqliteCallableStatement : public CallableStatement {
 public:
  using CallableStatement::execute;
  using CallableStatement::executeQuery;
  using CallableStatement::executeUpdate;

  // prepared runs the SQL; it is the object the connection tracks and closes.
  explicit SqliteCallableStatement(plat::lang::Ref<SqlitePreparedStatement> prepared);
  // SQLException (state 0A000) when sql is a call escape.
  static void refuseCallEscape(const std::string& sql);

  void registerOutParameter(int index, int sqlType) override;
  void registerOutParameter(int index, int sqlType, int scale) override;

  plat::lang::Ref<ResultSet> executeQuery() override { return prepared_->executeQuery(); }
  int executeUpdate() override { return prepared_->executeUpdate(); }
  bool execute() override { return prepared_->execute(); }
  void clearParameters() override { prepared_->clearParameters(); }
  plat::lang::Ref<ResultSet> executeQuery(const std::string& sql) override { return prepared_->executeQuery(sql); }
  int executeUpdate(const std::string& sql) override { return prepared_->executeUpdate(sql); }
  bool execute(const std::string& sql) override { return prepared_->execute(sql); }
  void close() override { prepared_->close(); }
  bool isClosed() const override { return prepared_->isClosed(); }

  int getMaxFieldSize() override { return prepared_->getMaxFieldSize(); }
  void setMaxFieldSize(int max) override { prepared_->setMaxFieldSize(max); }
  int getMaxRows() override { return prepared_->getMaxRows(); }
  void setMaxRows(int max) override { prepared_->setMaxRows(max); }
  void setEscapeProcessing(bool enable) override { prepared_->setEscapeProcessing(enable); }
  int getQueryTimeout() override { return prepared_->getQueryTimeout(); }
  void setQueryTimeout(int seconds) override { prepared_->setQueryTimeout(seconds); }
  void cancel() override { prepared_->cancel(); }
  std::shared_ptr<SQLWarning> getWarnings() override { return prepared_->getWarnings(); }
  void clearWarnings() override { prepared_->clearWarnings(); }
  void setCursorName(const std::string& name) override { prepared_->setCursorName(name); }
  plat::lang::Ref<ResultSet> getResultSet() override { return prepared_->getResultSet(); }
  int getUpdateCount() override { return prepared_->getUpdateCount(); }
  bool getMoreResults() override { return prepared_->getMoreResults(); }

  void setNull(int index, int sqlType) override { prepared_->setNull(index, sqlType); }
  void setBoolean(int index, bool value) override { prepared_->setBoolean(index, value); }
  void setByte(int index, std::int8_t value) override { prepared_->setByte(index, value); }
  void setShort(int index, std::int16_t value) override { prepared_->setShort(index, value); }
  void setInt(int index, std::int32_t value) override { prepared_->setInt(index, value); }
  void setLong(int index, std::int64_t value) override { prepared_->setLong(index, value); }
  void setFloat(int index, float value) override { prepared_->setFloat(index, value); }
  void setDouble(int index, double value) override { prepared_->setDouble(index, value); }
  void setBigDecimal(int index, const plat::math::Decimal& value) override { prepared_->setBigDecimal(index, value); }
  void setString(int index, const std::string& value) override { prepared_->setString(index, value); }
  void setBytes(int index, const std::vector<std::uint8_t>& value) override { prepared_->setBytes(index, value); }
  void setDate(int index, const plat::time::Date& value) override { prepared_->setDate(index, value); }
  void setTime(int index, const plat::time::Time& value) override { prepared_->setTime(index, value); }
  void setTimestamp(int index, const plat::time::Timestamp& value) override { prepared_->setTimestamp(index, value); }
  void setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    prepared_->setAsciiStream(index, stream, length);
  }
  void setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    prepared_->setUnicodeStream(index, stream, length);
  }
  void setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override {
    prepared_->setBinaryStream(index, stream, length);
  }
  void setObject(int index, const plat::lang::Value& value, int targetSqlType, int scale) override {
    prepared_->setObject(index, value, targetSqlType, scale);
  }
  void setObject(int index, const plat::lang::Value& value, int targetSqlType) override {
    prepared_->setObject(index, value, targetSqlType);
  }
  void setObject(int index, const plat::lang::Value& value) override { prepared_->setObject(index, value); }

  std::string getClassName() const override { return "plat.sql.sqlite.SqliteCallableStatement"; }

 private:
  plat::lang::Ref<SqlitePreparedStatement> prepared_;  // never null
};

}  // namespace plat::sql::sqlite
