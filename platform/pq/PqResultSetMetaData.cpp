#include "platform/pq/PqResultSetMetaData.h"

#include <libpq-fe.h>

#include "platform/pq/PqTypes.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace plat::sql::pq {

PqResultSetMetaData::PqResultSetMetaData(PqResultRef result) : result_(std::move(result)) {
  const int count = PQnfields(result_.get());
  types_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) types_.push_back(columnTypeOf(PQftype(result_.get(), i), PQfmod(result_.get(), i)));
}

int PqResultSetMetaData::index(int column) const {
  if (column < 1 || column > static_cast<int>(types_.size())) {
    throw SQLException("Column index out of range: " + std::to_string(column), "22023");
  }
  return column - 1;
}

int PqResultSetMetaData::getColumnCount() {
  return PQnfields(result_.get());
}
bool PqResultSetMetaData::isAutoIncrement(int column) {
  return index(column) < 0;
}
bool PqResultSetMetaData::isCaseSensitive(int column) {
  int type = types_[index(column)].jdbcType;
  return type == Types::CHAR || type == Types::VARCHAR || type == Types::LONGVARCHAR;
}
bool PqResultSetMetaData::isSearchable(int column) {
  return index(column) >= 0;
}
bool PqResultSetMetaData::isCurrency(int column) {
  return index(column) < 0;
}
int PqResultSetMetaData::isNullable(int column) {
  index(column);
  return ResultSetMetaData::columnNullableUnknown;
}
bool PqResultSetMetaData::isSigned(int column) {
  switch (types_[index(column)].jdbcType) {
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::REAL:
    case Types::DOUBLE:
    case Types::NUMERIC:
      return true;
    default:
      return false;
  }
}
int PqResultSetMetaData::getColumnDisplaySize(int column) {
  return types_[index(column)].displaySize;
}
std::string PqResultSetMetaData::getColumnLabel(int column) {
  return PQfname(result_.get(), index(column));
}
std::string PqResultSetMetaData::getColumnName(int column) {
  return PQfname(result_.get(), index(column));
}
std::string PqResultSetMetaData::getSchemaName(int column) {
  index(column);
  return "";
}
int PqResultSetMetaData::getPrecision(int column) {
  return types_[index(column)].precision;
}
int PqResultSetMetaData::getScale(int column) {
  return types_[index(column)].scale;
}
std::string PqResultSetMetaData::getTableName(int column) {
  index(column);
  return "";
}
std::string PqResultSetMetaData::getCatalogName(int column) {
  index(column);
  return "";
}
int PqResultSetMetaData::getColumnType(int column) {
  return types_[index(column)].jdbcType;
}
std::string PqResultSetMetaData::getColumnTypeName(int column) {
  return types_[index(column)].name;
}
bool PqResultSetMetaData::isReadOnly(int column) {
  return index(column) < 0;
}
bool PqResultSetMetaData::isWritable(int column) {
  return index(column) >= 0;
}
bool PqResultSetMetaData::isDefinitelyWritable(int column) {
  return index(column) < 0;
}

}  // namespace plat::sql::pq
