// The JDBC view of PostgreSQL column types: the type code of a type OID, its name, and sizes and scales from the
// type modifier. text counts as LONGVARCHAR, bytea as LONGVARBINARY, as the SQLite driver has them.
#pragma once

#include <string>

namespace plat::sql::pq {

struct PqColumnType {
  int jdbcType;
  std::string name;
  int precision;    // characters or digits; 0 when the type has no bound
  int scale;        // digits after the point; 0 when none
  int displaySize;  // characters a value may need
};

PqColumnType columnTypeOf(unsigned oid, int typmod);

}  // namespace plat::sql::pq
