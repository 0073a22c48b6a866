// The JDBC type codes: the column-type vocabulary shared by the drivers, the wire client and the data-binding
// library. Constants only.
#pragma once

namespace plat::sql {

struct Types {
  static constexpr int BIT = -7;
  static constexpr int TINYINT = -6;
  static constexpr int SMALLINT = 5;
  static constexpr int INTEGER = 4;
  static constexpr int BIGINT = -5;
  static constexpr int FLOAT = 6;
  static constexpr int REAL = 7;
  static constexpr int DOUBLE = 8;
  static constexpr int NUMERIC = 2;
  static constexpr int DECIMAL = 3;
  static constexpr int CHAR = 1;
  static constexpr int VARCHAR = 12;
  static constexpr int LONGVARCHAR = -1;
  static constexpr int DATE = 91;
  static constexpr int TIME = 92;
  static constexpr int TIMESTAMP = 93;
  static constexpr int BINARY = -2;
  static constexpr int VARBINARY = -3;
  static constexpr int LONGVARBINARY = -4;
  // The runtime's Types.NULL; NULL itself is a C macro.
  static constexpr int NULL_TYPE = 0;
  static constexpr int OTHER = 1111;
};

}  // namespace plat::sql
