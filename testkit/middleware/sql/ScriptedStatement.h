// A statement that answers from one scripted reply instead of the database: its result, update count, error,
// warnings and out-values. Parameters set on it are kept so tests can see what arrived. Used by one thread at a
// time, under its scope's lock.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/sql/CallableStatement.h"
#include "testkit/middleware/sql/SqlScript.h"

namespace testkit::middleware::sql {

class ScriptedStatement : public plat::sql::CallableStatement {
 public:
  using CallableStatement::execute;
  using CallableStatement::executeQuery;
  using CallableStatement::executeUpdate;
  using CallableStatement::setObject;

  ScriptedStatement(std::string sql, ScriptedReply reply) : sql_(std::move(sql)), reply_(std::move(reply)) {}

  const std::string& sql() const { return sql_; }
  // The parameters set since the last clearParameters, by index.
  const std::map<int, plat::lang::Value>& parameters() const { return parameters_; }
  // The out-parameters registered, by index, with their type codes.
  const std::map<int, int>& registered() const { return registered_; }

  plat::lang::Ref<plat::sql::ResultSet> executeQuery() override;
  int executeUpdate() override;
  bool execute() override;
  // The plain forms run the scripted text only.
  plat::lang::Ref<plat::sql::ResultSet> executeQuery(const std::string& sql) override;
  int executeUpdate(const std::string& sql) override;
  bool execute(const std::string& sql) override;
  void close() override { closed_ = true; }
  plat::lang::Ref<plat::sql::ResultSet> getResultSet() override;
  int getUpdateCount() override;
  bool getMoreResults() override;
  std::shared_ptr<plat::sql::SQLWarning> getWarnings() override;
  void clearWarnings() override { warningsCleared_ = true; }

  int getMaxFieldSize() override { return maxFieldSize_; }
  void setMaxFieldSize(int max) override { maxFieldSize_ = max; }
  int getMaxRows() override { return maxRows_; }
  void setMaxRows(int max) override { maxRows_ = max; }
  void setEscapeProcessing(bool) override {}
  int getQueryTimeout() override { return queryTimeout_; }
  void setQueryTimeout(int seconds) override { queryTimeout_ = seconds; }
  void cancel() override {}
  void setCursorName(const std::string&) override {}

  void clearParameters() override { parameters_.clear(); }
  void setNull(int index, int) override { parameters_[index] = plat::lang::Value::null(); }
  void setBoolean(int index, bool v) override { parameters_[index] = plat::lang::Value::ofBoolean(v); }
  void setByte(int index, std::int8_t v) override { parameters_[index] = plat::lang::Value::ofByte(v); }
  void setShort(int index, std::int16_t v) override { parameters_[index] = plat::lang::Value::ofShort(v); }
  void setInt(int index, std::int32_t v) override { parameters_[index] = plat::lang::Value::ofInt(v); }
  void setLong(int index, std::int64_t v) override { parameters_[index] = plat::lang::Value::ofLong(v); }
  void setFloat(int index, float v) override { parameters_[index] = plat::lang::Value::ofFloat(v); }
  void setDouble(int index, double v) override { parameters_[index] = plat::lang::Value::ofDouble(v); }
  void setBigDecimal(int index, const plat::math::Decimal& v) override { parameters_[index] = plat::lang::Value(v); }
  void setString(int index, const std::string& v) override { parameters_[index] = plat::lang::Value::ofString(v); }
  void setBytes(int index, const std::vector<std::uint8_t>& v) override {
    parameters_[index] = plat::lang::Value::ofBytes(v);
  }
  void setDate(int index, const plat::time::Date& v) override { parameters_[index] = plat::lang::Value(v); }
  void setTime(int index, const plat::time::Time& v) override { parameters_[index] = plat::lang::Value(v); }
  void setTimestamp(int index, const plat::time::Timestamp& v) override { parameters_[index] = plat::lang::Value(v); }

  void registerOutParameter(int index, int sqlType) override { registered_[index] = sqlType; }
  void registerOutParameter(int index, int sqlType, int) override { registered_[index] = sqlType; }
  bool wasNull() override { return wasNull_; }
  std::string getString(int index) override;
  bool getBoolean(int index) override;
  std::int8_t getByte(int index) override { return static_cast<std::int8_t>(whole(index)); }
  std::int16_t getShort(int index) override { return static_cast<std::int16_t>(whole(index)); }
  std::int32_t getInt(int index) override { return static_cast<std::int32_t>(whole(index)); }
  std::int64_t getLong(int index) override { return whole(index); }
  float getFloat(int index) override { return static_cast<float>(getDouble(index)); }
  double getDouble(int index) override;
  plat::math::Decimal getBigDecimal(int index, int scale) override;
  std::vector<std::uint8_t> getBytes(int index) override;
  plat::time::Date getDate(int index) override;
  plat::time::Time getTime(int index) override;
  plat::time::Timestamp getTimestamp(int index) override;
  plat::lang::Value getObject(int index) override { return out(index); }

 private:
  // Throws the scripted error, if any.
  void failIfScripted() const;
  // failIfScripted, then records that the statement ran.
  void run();
  void checkText(const std::string& sql) const;
  const plat::lang::Value& out(int index);
  std::int64_t whole(int index);

  std::string sql_;
  ScriptedReply reply_;
  std::map<int, plat::lang::Value> parameters_;
  std::map<int, int> registered_;
  bool ran_ = false;
  bool resultPending_ = false;  // the result of the last run was not handed out yet
  bool warningsCleared_ = false;
  bool wasNull_ = false;
  bool closed_ = false;
  int maxFieldSize_ = 0;
  int maxRows_ = 0;
  int queryTimeout_ = 0;
};

}  // namespace testkit::middleware::sql
