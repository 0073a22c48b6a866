#include "platform/sqlite/SqliteResultSetMetaData.h"

#include <sqlite3.h>

#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"

namespace plat::sql::sqlite {
namespace {

std::string textOf(const char* text) {
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace

void throwColumnIndex(int column) {
  throw SQLException("Column index is out-of-range: " + std::to_string(column));
}

std::vector<SqliteColumn> describeColumns(sqlite3_stmt* stmt) {
  std::vector<SqliteColumn> columns;
  int count = sqlite3_column_count(stmt);
  columns.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    SqliteColumn column;
    column.label = textOf(sqlite3_column_name(stmt, i));
    column.table = textOf(sqlite3_column_table_name(stmt, i));
    std::string origin = textOf(sqlite3_column_origin_name(stmt, i));
    column.name = origin.empty() ? column.label : origin;
    column.declared = textOf(sqlite3_column_decltype(stmt, i));
    column.type =
        column.declared.empty() ? columnTypeOfStorage(sqlite3_column_type(stmt, i)) : columnTypeOf(column.declared);
    if (!column.table.empty()) {
      int notNull = 0;
      int primaryKey = 0;
      int autoIncrement = 0;
      if (sqlite3_table_column_metadata(sqlite3_db_handle(stmt), sqlite3_column_database_name(stmt, i),
                                        column.table.c_str(), origin.c_str(), nullptr, nullptr, &notNull, &primaryKey,
                                        &autoIncrement) == SQLITE_OK) {
        column.nullable = notNull != 0 ? ResultSetMetaData::columnNoNulls : ResultSetMetaData::columnNullable;
        column.autoIncrement = autoIncrement != 0;
      }
    }
    columns.push_back(std::move(column));
  }
  return columns;
}

std::shared_ptr<const std::vector<SqliteColumn>> describeColumns(SqliteStmt& stmt) {
  sqlite3_stmt* raw = stmt.get();
  SqliteStmt::Description& kept = stmt.description();
  // A schema change recompiles the statement, and its columns may then differ.
  const int recompiles = sqlite3_stmt_status(raw, SQLITE_STMTSTATUS_REPREPARE, 0);
  bool reusable = kept.columns != nullptr && kept.recompiles == recompiles &&
                  kept.columns->size() == static_cast<std::size_t>(sqlite3_column_count(raw));
  for (std::size_t i = 0; reusable && i < kept.columns->size(); ++i) {
    const SqliteColumn& column = (*kept.columns)[i];
    if (column.declared.empty()) {
      reusable = columnTypeOfStorage(sqlite3_column_type(raw, static_cast<int>(i))).jdbcType == column.type.jdbcType;
    }
  }
  if (!reusable) {
    kept.columns = std::make_shared<const std::vector<SqliteColumn>>(describeColumns(raw));
    kept.recompiles = recompiles;
  }
  return kept.columns;
}

SqliteResultSetMetaData::SqliteResultSetMetaData(std::shared_ptr<const std::vector<SqliteColumn>> columns)
    : columns_(std::move(columns)) {}

const SqliteColumn& SqliteResultSetMetaData::at(int column) const {
  checkColumnIndex(column, columns_->size());
  return (*columns_)[static_cast<std::size_t>(column - 1)];
}

int SqliteResultSetMetaData::getColumnCount() {
  return static_cast<int>(columns_->size());
}
bool SqliteResultSetMetaData::isAutoIncrement(int column) {
  return at(column).autoIncrement;
}

bool SqliteResultSetMetaData::isCaseSensitive(int column) {
  int type = at(column).type.jdbcType;
  return type == Types::CHAR || type == Types::VARCHAR || type == Types::LONGVARCHAR;
}

bool SqliteResultSetMetaData::isSearchable(int column) {
  at(column);
  return true;
}

bool SqliteResultSetMetaData::isCurrency(int column) {
  at(column);
  return false;
}

int SqliteResultSetMetaData::isNullable(int column) {
  return at(column).nullable;
}

bool SqliteResultSetMetaData::isSigned(int column) {
  switch (at(column).type.jdbcType) {
    case Types::TINYINT:
    case Types::SMALLINT:
    case Types::INTEGER:
    case Types::BIGINT:
    case Types::REAL:
    case Types::FLOAT:
    case Types::DOUBLE:
    case Types::DECIMAL:
    case Types::NUMERIC:
      return true;
    default:
      return false;
  }
}

int SqliteResultSetMetaData::getColumnDisplaySize(int column) {
  return at(column).type.displaySize;
}
std::string SqliteResultSetMetaData::getColumnLabel(int column) {
  return at(column).label;
}
std::string SqliteResultSetMetaData::getColumnName(int column) {
  return at(column).name;
}

std::string SqliteResultSetMetaData::getSchemaName(int column) {
  at(column);
  return "";
}

int SqliteResultSetMetaData::getPrecision(int column) {
  return at(column).type.precision;
}
int SqliteResultSetMetaData::getScale(int column) {
  return at(column).type.scale;
}
std::string SqliteResultSetMetaData::getTableName(int column) {
  return at(column).table;
}

std::string SqliteResultSetMetaData::getCatalogName(int column) {
  at(column);
  return "";
}

int SqliteResultSetMetaData::getColumnType(int column) {
  return at(column).type.jdbcType;
}
std::string SqliteResultSetMetaData::getColumnTypeName(int column) {
  return at(column).type.typeName;
}
bool SqliteResultSetMetaData::isReadOnly(int column) {
  return at(column).table.empty();
}
bool SqliteResultSetMetaData::isWritable(int column) {
  return !at(column).table.empty();
}
bool SqliteResultSetMetaData::isDefinitelyWritable(int column) {
  return !at(column).table.empty();
}

}  // namespace plat::sql::sqlite
