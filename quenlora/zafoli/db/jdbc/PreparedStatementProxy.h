// The parameter operations shared by the prepared and callable statement proxies: numbered calls 18-39, each
// setter sending its parameter to the server at once (nothing is kept on the client), stream parameters through
// an upload stream on the session, and setObject by value kind or by type code. A template over the platform
// interface, like StatementProxy. Used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sql/PreparedStatement.h"
#include "quenlora/zafoli/db/jdbc/StatementProxy.h"

namespace quenlora::zafoli::db::jdbc {

template <class Base>
class PreparedStatementProxy : public StatementProxy<Base> {
 public:
  using StatementProxy<Base>::execute;
  using StatementProxy<Base>::executeQuery;
  using StatementProxy<Base>::executeUpdate;

  static constexpr int kFirstMethod = StatementProxy<Base>::kNumberOfMethods;
  static constexpr int kNumberOfMethods = kFirstMethod + 22;

  static constexpr int METHOD_executeQuery = kFirstMethod + 0;
  static constexpr int METHOD_executeUpdate = kFirstMethod + 1;
  static constexpr int METHOD_setNull = kFirstMethod + 2;
  static constexpr int METHOD_setBoolean = kFirstMethod + 3;
  static constexpr int METHOD_setByte = kFirstMethod + 4;
  static constexpr int METHOD_setShort = kFirstMethod + 5;
  static constexpr int METHOD_setInt = kFirstMethod + 6;
  static constexpr int METHOD_setLong = kFirstMethod + 7;
  static constexpr int METHOD_setFloat = kFirstMethod + 8;
  static constexpr int METHOD_setDouble = kFirstMethod + 9;
  static constexpr int METHOD_setBigDecimal = kFirstMethod + 10;
  static constexpr int METHOD_setString = kFirstMethod + 11;
  static constexpr int METHOD_setBytes = kFirstMethod + 12;
  static constexpr int METHOD_setDate = kFirstMethod + 13;
  static constexpr int METHOD_setTime = kFirstMethod + 14;
  static constexpr int METHOD_setTimestamp = kFirstMethod + 15;
  static constexpr int METHOD_clearParameters = kFirstMethod + 16;
  static constexpr int METHOD_setObject1 = kFirstMethod + 17;  // reserved; never sent
  static constexpr int METHOD_setObject2 = kFirstMethod + 18;  // reserved; never sent
  static constexpr int METHOD_setObject3 = kFirstMethod + 19;  // reserved; never sent
  static constexpr int METHOD_execute = kFirstMethod + 20;
  static constexpr int METHOD_getStream = kFirstMethod + 21;

  // A non-empty reply makes the current result set; an empty one gives none. The previous one is closed.
  plat::lang::Ref<plat::sql::ResultSet> executeQuery() override;
  int executeUpdate() override;
  bool execute() override;
  void clearParameters() override;

  void setNull(int index, int sqlType) override;
  void setBoolean(int index, bool value) override;
  void setByte(int index, std::int8_t value) override;
  void setShort(int index, std::int16_t value) override;
  void setInt(int index, std::int32_t value) override;
  void setLong(int index, std::int64_t value) override;
  void setFloat(int index, float value) override;
  void setDouble(int index, double value) override;
  void setBigDecimal(int index, const plat::math::Decimal& value) override;
  void setString(int index, const std::string& value) override;
  void setBytes(int index, const std::vector<std::uint8_t>& value) override;
  void setDate(int index, const plat::time::Date& value) override;
  void setTime(int index, const plat::time::Time& value) override;
  // Rounded to the millisecond with carry (ParameterRules::roundTimestamp).
  void setTimestamp(int index, const plat::time::Timestamp& value) override;
  // length bytes of the stream through an upload stream; a negative length is SQLException, a null stream SQL NULL.
  void setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  void setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  void setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length) override;
  // A null value goes through setNull; an unknown code is "Unrecognized sql type" followed by the code.
  void setObject(int index, const plat::lang::Value& value, int targetSqlType, int scale) override;
  void setObject(int index, const plat::lang::Value& value, int targetSqlType) override;
  void setObject(int index, const plat::lang::Value& value) override;

 protected:
  using typename StatementProxy<Base>::SessionRef;
  PreparedStatementProxy(std::int32_t objectID, SessionRef session, plat::lang::WeakRef<StatementList> owner);

  int getNumberOfMethods() const override { return kNumberOfMethods; }

 private:
  void setStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream, int length, bool isText);
};

}  // namespace quenlora::zafoli::db::jdbc
