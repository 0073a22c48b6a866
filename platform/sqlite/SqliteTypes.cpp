#include "platform/sqlite/SqliteTypes.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdlib>

#include "platform/sql/Types.h"

namespace plat::sql::sqlite {
namespace {

struct Known {
  const char* name;
  int jdbcType;
  int displaySize;
  int precision;
};

// Sizes follow the longest text of a value of the type ("-2147483648" has 11 characters).
constexpr Known kKnown[] = {
    {"INTEGER", Types::INTEGER, 11, 10},
    {"INT", Types::INTEGER, 11, 10},
    {"MEDIUMINT", Types::INTEGER, 11, 10},
    {"BIGINT", Types::BIGINT, 20, 19},
    {"INT8", Types::BIGINT, 20, 19},
    {"SMALLINT", Types::SMALLINT, 6, 5},
    {"INT2", Types::SMALLINT, 6, 5},
    {"TINYINT", Types::TINYINT, 4, 3},
    {"BIT", Types::BIT, 1, 1},
    {"BOOLEAN", Types::BIT, 1, 1},
    {"BOOL", Types::BIT, 1, 1},
    // SQLite keeps a REAL in 8 bytes: a double, not the 4-byte REAL of the SQL types.
    {"REAL", Types::DOUBLE, 24, 15},
    {"FLOAT", Types::FLOAT, 24, 15},
    {"DOUBLE", Types::DOUBLE, 24, 15},
    {"DOUBLE PRECISION", Types::DOUBLE, 24, 15},
    {"DECIMAL", Types::DECIMAL, 0, 0},
    {"NUMERIC", Types::NUMERIC, 0, 0},
    {"NUMBER", Types::NUMERIC, 0, 0},
    {"CHAR", Types::CHAR, 1, 1},
    {"CHARACTER", Types::CHAR, 1, 1},
    {"NCHAR", Types::CHAR, 1, 1},
    {"VARCHAR", Types::VARCHAR, kUnboundedSize, kUnboundedSize},
    {"VARCHAR2", Types::VARCHAR, kUnboundedSize, kUnboundedSize},
    {"NVARCHAR", Types::VARCHAR, kUnboundedSize, kUnboundedSize},
    {"VARYING CHARACTER", Types::VARCHAR, kUnboundedSize, kUnboundedSize},
    {"TEXT", Types::LONGVARCHAR, kUnboundedSize, kUnboundedSize},
    {"CLOB", Types::LONGVARCHAR, kUnboundedSize, kUnboundedSize},
    {"LONGVARCHAR", Types::LONGVARCHAR, kUnboundedSize, kUnboundedSize},
    {"DATE", Types::DATE, 10, 10},
    {"TIME", Types::TIME, 8, 8},
    {"TIMESTAMP", Types::TIMESTAMP, 29, 29},
    {"DATETIME", Types::TIMESTAMP, 29, 29},
    {"BLOB", Types::LONGVARBINARY, kUnboundedSize, kUnboundedSize},
    {"LONGVARBINARY", Types::LONGVARBINARY, kUnboundedSize, kUnboundedSize},
    {"BINARY", Types::BINARY, 1, 1},
    {"VARBINARY", Types::VARBINARY, kUnboundedSize, kUnboundedSize},
};

std::string upperTrimmed(std::string_view text) {
  std::string out;
  bool pendingBlank = false;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      pendingBlank = !out.empty();
      continue;
    }
    if (pendingBlank) out += ' ';
    pendingBlank = false;
    out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return out;
}

// The numbers between parentheses: "DECIMAL(10, 2)" gives 10 and 2; -1 for each one missing.
void readArguments(std::string_view args, int& first, int& second) {
  first = second = -1;
  std::string text(args);
  const char* p = text.c_str();
  char* end = nullptr;
  long a = std::strtol(p, &end, 10);
  if (end == p) return;
  first = a < 0 || a > kUnboundedSize ? -1 : static_cast<int>(a);
  p = end;
  while (*p == ' ') ++p;
  if (*p != ',') return;
  ++p;
  long b = std::strtol(p, &end, 10);
  if (end != p && b >= 0 && b <= kUnboundedSize) second = static_cast<int>(b);
}

SqliteColumnType byAffinity(const std::string& name) {
  // SQLite's own order of the affinity rules.
  if (name.find("INT") != std::string::npos) return {Types::INTEGER, name, 11, 10, 0};
  if (name.find("CHAR") != std::string::npos || name.find("CLOB") != std::string::npos ||
      name.find("TEXT") != std::string::npos)
    return {Types::VARCHAR, name, kUnboundedSize, kUnboundedSize, 0};
  if (name.find("BLOB") != std::string::npos || name.empty())
    return {Types::LONGVARBINARY, name, kUnboundedSize, kUnboundedSize, 0};
  if (name.find("REAL") != std::string::npos || name.find("FLOA") != std::string::npos ||
      name.find("DOUB") != std::string::npos)
    return {Types::DOUBLE, name, 24, 15, 0};
  return {Types::NUMERIC, name, kUnboundedSize, kUnboundedSize, 0};
}

}  // namespace

SqliteColumnType columnTypeOf(std::string_view declared) {
  std::string text = upperTrimmed(declared);
  std::string name = text;
  int first = -1;
  int second = -1;
  if (auto open = text.find('('); open != std::string::npos) {
    name = upperTrimmed(text.substr(0, open));
    auto close = text.find(')', open);
    readArguments(
        std::string_view(text).substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1),
        first, second);
  }
  for (const Known& known : kKnown) {
    if (name != known.name) continue;
    SqliteColumnType type{known.jdbcType, name, known.displaySize, known.precision, 0};
    if (known.jdbcType == Types::DECIMAL || known.jdbcType == Types::NUMERIC) {
      if (first < 0) {
        type.displaySize = type.precision = kUnboundedSize;
      } else {
        type.precision = first;
        type.scale = second < 0 ? 0 : second;
        // Room for a sign and a decimal point.
        type.displaySize = first + (type.scale > 0 ? 2 : 1);
      }
    } else if (first >= 0 && (known.jdbcType == Types::CHAR || known.jdbcType == Types::VARCHAR ||
                              known.jdbcType == Types::LONGVARCHAR || known.jdbcType == Types::BINARY ||
                              known.jdbcType == Types::VARBINARY || known.jdbcType == Types::LONGVARBINARY)) {
      type.displaySize = type.precision = first;
    }
    return type;
  }
  SqliteColumnType type = byAffinity(name);
  if (first >= 0 && type.jdbcType == Types::VARCHAR) type.displaySize = type.precision = first;
  return type;
}

SqliteColumnType columnTypeOfStorage(int storageClass) {
  switch (storageClass) {
    case SQLITE_INTEGER:
      return {Types::BIGINT, "INTEGER", 20, 19, 0};
    case SQLITE_FLOAT:
      return {Types::DOUBLE, "REAL", 24, 15, 0};
    case SQLITE_BLOB:
      return {Types::LONGVARBINARY, "BLOB", kUnboundedSize, kUnboundedSize, 0};
    default:
      return {Types::VARCHAR, "TEXT", kUnboundedSize, kUnboundedSize, 0};
  }
}

}  // namespace plat::sql::sqlite
