// Binds one statement parameter by its JDBC type: the value is brought into the type's class (text through the
// library's locale-aware parsers) and handed to the driver's typed setter; when the driver refuses a typed number,
// the value's text is bound instead. Class-wide functions only; a statement is used by one thread.
#pragma once

#include "platform/lang/Value.h"
#include "platform/sql/PreparedStatement.h"

namespace quenlora::zafoli::db::beans::jdbc {

class PreparedStatementHelper {
 public:
  PreparedStatementHelper() = delete;

  // Null binds SQL NULL of the type. SQLException for text that does not parse or a driver failure.
  static void setInParameter(plat::sql::PreparedStatement& statement, int index, int type,
                             const plat::lang::Value& value);
  // The scale serves out-parameters only: an in-parameter's decimal is bound with the digits it has.
  static void setInParameter(plat::sql::PreparedStatement& statement, int index, int type,
                             const plat::lang::Value& value, int scale);

 protected:
  // One setter per type family. Each refuses a type outside its family or a null value with
  // IllegalArgumentException.
  static void setBoolean(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  // TINYINT and SMALLINT: a 16-bit integer, so a TINYINT keeps values above 127.
  static void setShort(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setInt(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setLong(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  // REAL only.
  static void setFloat(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  // FLOAT and DOUBLE: both are double precision.
  static void setDouble(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setBigDecimal(plat::sql::PreparedStatement& statement, int index, int type,
                            const plat::lang::Value& value);
  static void setAsciiStream(plat::sql::PreparedStatement& statement, int index, int type,
                             const plat::lang::Value& value);
  static void setDate(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setTime(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setTimestamp(plat::sql::PreparedStatement& statement, int index, int type,
                           const plat::lang::Value& value);
  static void setBytes(plat::sql::PreparedStatement& statement, int index, int type, const plat::lang::Value& value);
  static void setBinaryStream(plat::sql::PreparedStatement& statement, int index, int type,
                              const plat::lang::Value& value);
};

}  // namespace quenlora::zafoli::db::beans::jdbc
