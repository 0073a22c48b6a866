#include "testkit/middleware/sql/ScriptedStatement.h"

#include "platform/sql/SQLException.h"
#include "platform/sql/SQLWarning.h"
#include "testkit/middleware/ServerObject.h"
#include "testkit/middleware/sql/ScriptedResultSet.h"

namespace testkit::middleware::sql {

using plat::lang::Value;
using plat::sql::SQLException;

void ScriptedStatement::failIfScripted() const {
  if (closed_) throw SQLException("Statement is closed");
  if (reply_.error) {
    const ScriptedError& e = *reply_.error;
    throw ServerFailure(e.id, e.category, e.message, e.state);
  }
}

void ScriptedStatement::run() {
  failIfScripted();
  ran_ = true;
  resultPending_ = true;
  warningsCleared_ = false;
}

void ScriptedStatement::checkText(const std::string& sql) const {
  if (sql != sql_) throw SQLException("No scripted reply for: " + sql);
}

plat::lang::Ref<plat::sql::ResultSet> ScriptedStatement::executeQuery() {
  failIfScripted();
  if (!reply_.hasResult()) throw SQLException("The statement gives no result set: " + sql_);
  run();
  resultPending_ = false;
  return plat::lang::makeRef<ScriptedResultSet>(reply_);
}

int ScriptedStatement::executeUpdate() {
  failIfScripted();
  if (reply_.hasResult()) throw SQLException("The statement gives a result set: " + sql_);
  run();
  resultPending_ = false;
  return reply_.updateCount;
}

bool ScriptedStatement::execute() {
  run();
  return reply_.hasResult();
}

plat::lang::Ref<plat::sql::ResultSet> ScriptedStatement::executeQuery(const std::string& sql) {
  checkText(sql);
  return executeQuery();
}

int ScriptedStatement::executeUpdate(const std::string& sql) {
  checkText(sql);
  return executeUpdate();
}

bool ScriptedStatement::execute(const std::string& sql) {
  checkText(sql);
  return execute();
}

plat::lang::Ref<plat::sql::ResultSet> ScriptedStatement::getResultSet() {
  if (!resultPending_ || !reply_.hasResult()) return nullptr;
  resultPending_ = false;
  return plat::lang::makeRef<ScriptedResultSet>(reply_);
}

int ScriptedStatement::getUpdateCount() {
  return resultPending_ && !reply_.hasResult() ? reply_.updateCount : -1;
}

bool ScriptedStatement::getMoreResults() {
  resultPending_ = false;
  return false;
}

std::shared_ptr<plat::sql::SQLWarning> ScriptedStatement::getWarnings() {
  if (!ran_ || warningsCleared_ || reply_.warnings.empty()) return nullptr;
  auto head = std::make_shared<plat::sql::SQLWarning>(reply_.warnings[0].message, reply_.warnings[0].state,
                                                      reply_.warnings[0].code);
  for (std::size_t i = 1; i < reply_.warnings.size(); ++i) {
    const auto& w = reply_.warnings[i];
    head->setNextWarning(std::make_shared<plat::sql::SQLWarning>(w.message, w.state, w.code));
  }
  return head;
}

const Value& ScriptedStatement::out(int index) {
  auto it = reply_.outValues.find(index);
  if (it == reply_.outValues.end()) {
    throw SQLException("Parameter " + std::to_string(index) + " is not an out-parameter", "07009");
  }
  wasNull_ = it->second.isNull();
  return it->second;
}

std::int64_t ScriptedStatement::whole(int index) {
  const Value& v = out(index);
  if (v.isNull()) return 0;
  if (v.is(Value::Kind::Boolean)) return v.getBoolean() ? 1 : 0;
  if (!v.isNumber()) throw SQLException("Out-parameter " + std::to_string(index) + " is not a number");
  return v.longValue();
}

std::string ScriptedStatement::getString(int index) {
  const Value& v = out(index);
  return v.isNull() ? "" : v.is(Value::Kind::String) ? v.getString() : v.toString();
}

bool ScriptedStatement::getBoolean(int index) {
  const Value& v = out(index);
  return v.is(Value::Kind::Boolean) ? v.getBoolean() : whole(index) != 0;
}

double ScriptedStatement::getDouble(int index) {
  const Value& v = out(index);
  if (v.isNull()) return 0;
  if (!v.isNumber()) throw SQLException("Out-parameter " + std::to_string(index) + " is not a number");
  return v.doubleValue();
}

plat::math::Decimal ScriptedStatement::getBigDecimal(int index, int) {
  const Value& v = out(index);
  if (v.isNull()) return plat::math::Decimal::valueOf(std::int64_t{0});
  if (v.is(Value::Kind::Decimal)) return v.getDecimal();
  return plat::math::Decimal(v.toString());
}

std::vector<std::uint8_t> ScriptedStatement::getBytes(int index) {
  const Value& v = out(index);
  if (v.isNull()) return {};
  if (v.is(Value::Kind::Bytes)) return v.getBytes();
  const std::string s = getString(index);
  return {s.begin(), s.end()};
}

plat::time::Date ScriptedStatement::getDate(int index) {
  const Value& v = out(index);
  if (v.isNull()) return {};
  return v.is(Value::Kind::Timestamp) ? v.getTimestamp().getDate() : v.getDate();
}

plat::time::Time ScriptedStatement::getTime(int index) {
  const Value& v = out(index);
  if (v.isNull()) return {};
  return v.is(Value::Kind::Timestamp) ? v.getTimestamp().getTime() : v.getTime();
}

plat::time::Timestamp ScriptedStatement::getTimestamp(int index) {
  const Value& v = out(index);
  if (v.isNull()) return {};
  return v.is(Value::Kind::Date) ? plat::time::Timestamp(v.getDate(), {}, 0) : v.getTimestamp();
}

}  // namespace testkit::middleware::sql
