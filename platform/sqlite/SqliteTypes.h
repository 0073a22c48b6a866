// How the driver reads a column's declared type (the text of CREATE TABLE) as a JDBC type with display size,
// precision and scale. Pure functions; any thread.
#pragma once

#include <string>
#include <string_view>

namespace plat::sql::sqlite {

struct SqliteColumnType {
  int jdbcType = 0;      // a Types code
  std::string typeName;  // the declared name without its arguments, upper case
  int displaySize = 0;
  int precision = 0;
  int scale = 0;
};

// Columns without a declared length (TEXT, BLOB, VARCHAR alone) report this display size.
inline constexpr int kUnboundedSize = 2147483647;

// The type of a declared column type such as "VARCHAR(40)" or "DECIMAL(10,2)"; unknown names follow SQLite's
// affinity rules.
SqliteColumnType columnTypeOf(std::string_view declared);
// The type of a value without a declared type (an expression), from SQLite's storage class of the value.
SqliteColumnType columnTypeOfStorage(int storageClass);

}  // namespace plat::sql::sqlite
