#include "testkit/middleware/sql/ScriptedResultSet.h"

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace testkit::middleware::sql {

using plat::lang::Value;
using plat::sql::SQLException;
using plat::sql::Types;

const ScriptedColumn& ScriptedResultSetMetaData::at(int column) const {
  if (column < 1 || column > static_cast<int>(columns_.size())) {
    throw SQLException("Column index is out-of-range: " + std::to_string(column));
  }
  return columns_[static_cast<std::size_t>(column - 1)];
}

bool ScriptedResultSetMetaData::isSigned(int column) {
  switch (at(column).sqlType) {
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::REAL:
    case Types::FLOAT:
    case Types::DOUBLE:
    case Types::NUMERIC:
    case Types::DECIMAL:
      return true;
    default:
      return false;
  }
}

std::string ScriptedResultSetMetaData::getColumnTypeName(int column) {
  switch (at(column).sqlType) {
    case Types::INTEGER:
      return "INTEGER";
    case Types::BIGINT:
      return "BIGINT";
    case Types::DOUBLE:
      return "DOUBLE";
    case Types::LONGVARCHAR:
      return "LONGVARCHAR";
    case Types::LONGVARBINARY:
      return "LONGVARBINARY";
    default:
      return "VARCHAR";
  }
}

ScriptedResultSet::ScriptedResultSet(const ScriptedReply& reply)
    : columns_(reply.columns),
      rows_(reply.rows),
      metaData_(plat::lang::makeRef<ScriptedResultSetMetaData>(reply.columns)) {}

bool ScriptedResultSet::next() {
  if (closed_) throw SQLException("ResultSet is closed");
  onRow_ = next_ < rows_.size();
  if (onRow_) ++next_;
  return onRow_;
}

const Value& ScriptedResultSet::value(int column) {
  if (closed_) throw SQLException("ResultSet is closed");
  if (!onRow_) throw SQLException("No current row");
  if (column < 1 || column > static_cast<int>(columns_.size())) {
    throw SQLException("Column index is out-of-range: " + std::to_string(column));
  }
  static const Value kNull;
  const auto& row = rows_[next_ - 1];
  const auto i = static_cast<std::size_t>(column - 1);
  const Value& v = i < row.size() ? row[i] : kNull;
  wasNull_ = v.isNull();
  return v;
}

std::int64_t ScriptedResultSet::number(int column) {
  const Value& v = value(column);
  if (v.isNull()) return 0;
  if (v.is(Value::Kind::Boolean)) return v.getBoolean() ? 1 : 0;
  if (v.isNumber()) return v.longValue();
  throw SQLException("Not a number: " + v.toString());
}

std::string ScriptedResultSet::getString(int column) {
  const Value& v = value(column);
  return v.isNull() ? "" : v.is(Value::Kind::String) ? v.getString() : v.toString();
}

bool ScriptedResultSet::getBoolean(int column) {
  const Value& v = value(column);
  if (v.is(Value::Kind::Boolean)) return v.getBoolean();
  return number(column) != 0;
}

float ScriptedResultSet::getFloat(int column) {
  return static_cast<float>(getDouble(column));
}

double ScriptedResultSet::getDouble(int column) {
  const Value& v = value(column);
  if (v.isNull()) return 0;
  if (v.isNumber()) return v.doubleValue();
  throw SQLException("Not a number: " + v.toString());
}

std::vector<std::uint8_t> ScriptedResultSet::getBytes(int column) {
  const Value& v = value(column);
  if (v.isNull()) return {};
  if (v.is(Value::Kind::Bytes)) return v.getBytes();
  const std::string s = getString(column);
  return {s.begin(), s.end()};
}

int ScriptedResultSet::findColumn(const std::string& name) {
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    if (columns_[i].name == name) return static_cast<int>(i + 1);
  }
  throw SQLException("Column not found: " + name);
}

}  // namespace testkit::middleware::sql
