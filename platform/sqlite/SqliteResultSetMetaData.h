// The columns of one SQLite result, described when the result was made: names, labels, JDBC types from the declared
// column types, display sizes, precision, scale, nullability and table names. Immutable; any thread may read it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/sql/ResultSetMetaData.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "platform/sqlite/SqliteTypes.h"

struct sqlite3_stmt;

namespace plat::sql::sqlite {

struct SqliteColumn {
  std::string label;     // the name the query gives the column (AS alias or expression text)
  std::string name;      // the table's column name, or the label for an expression
  std::string table;     // empty for an expression
  std::string declared;  // the declared type text; empty for an expression
  SqliteColumnType type;
  int nullable = ResultSetMetaData::columnNullableUnknown;
  bool autoIncrement = false;
};

// Describes the columns of a statement that has just been stepped (so an expression's value type is known).
std::vector<SqliteColumn> describeColumns(sqlite3_stmt* stmt);
// The same, reusing the statement's description of its previous run while SQLite has not recompiled it and every
// column without a declared type holds a value of the same kind as before.
std::shared_ptr<const std::vector<SqliteColumn>> describeColumns(SqliteStmt& stmt);

class SqliteResultSetMetaData : public ResultSetMetaData {
 public:
  explicit SqliteResultSetMetaData(std::shared_ptr<const std::vector<SqliteColumn>> columns);

  int getColumnCount() override;
  bool isAutoIncrement(int column) override;
  bool isCaseSensitive(int column) override;
  bool isSearchable(int column) override;
  bool isCurrency(int column) override;
  int isNullable(int column) override;
  bool isSigned(int column) override;
  int getColumnDisplaySize(int column) override;
  std::string getColumnLabel(int column) override;
  std::string getColumnName(int column) override;
  std::string getSchemaName(int column) override;
  int getPrecision(int column) override;
  int getScale(int column) override;
  std::string getTableName(int column) override;
  std::string getCatalogName(int column) override;
  int getColumnType(int column) override;
  std::string getColumnTypeName(int column) override;
  bool isReadOnly(int column) override;
  bool isWritable(int column) override;
  bool isDefinitelyWritable(int column) override;

 private:
  const SqliteColumn& at(int column) const;

  std::shared_ptr<const std::vector<SqliteColumn>> columns_;
};

// SQLException "Column index is out-of-range: n".
[[noreturn]] void throwColumnIndex(int column);
// SQLException "Column index is out-of-range: n" unless 1 <= column <= count. Inline: every value read checks.
inline void checkColumnIndex(int column, std::size_t count) {
  if (column < 1 || static_cast<std::size_t>(column) > count) [[unlikely]]
    throwColumnIndex(column);
}

}  // namespace plat::sql::sqlite
