// The proxy of a server callable statement (server class "Statement"), made by the connection: registers
// out-parameters and reads each out-value with its own round trip (calls 40-56). Used by one thread at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/sql/CallableStatement.h"
#include "quenlora/zafoli/db/jdbc/PreparedStatementProxy.h"

namespace quenlora::zafoli::db::jdbc {

class CallableStatement final : public PreparedStatementProxy<plat::sql::CallableStatement> {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.CallableStatement";

  static constexpr int kFirstMethod = PreparedStatementProxy::kNumberOfMethods;
  static constexpr int kNumberOfMethods = kFirstMethod + 17;

  static constexpr int METHOD_registerOutParameter = kFirstMethod + 0;
  static constexpr int METHOD_registerOutParameterWithScale = kFirstMethod + 1;
  static constexpr int METHOD_wasNull = kFirstMethod + 2;
  static constexpr int METHOD_getString = kFirstMethod + 3;
  static constexpr int METHOD_getBoolean = kFirstMethod + 4;
  static constexpr int METHOD_getByte = kFirstMethod + 5;
  static constexpr int METHOD_getShort = kFirstMethod + 6;
  static constexpr int METHOD_getInt = kFirstMethod + 7;
  static constexpr int METHOD_getLong = kFirstMethod + 8;
  static constexpr int METHOD_getFloat = kFirstMethod + 9;
  static constexpr int METHOD_getDouble = kFirstMethod + 10;
  static constexpr int METHOD_getBigDecimal = kFirstMethod + 11;
  static constexpr int METHOD_getBytes = kFirstMethod + 12;
  static constexpr int METHOD_getDate = kFirstMethod + 13;
  static constexpr int METHOD_getTime = kFirstMethod + 14;
  static constexpr int METHOD_getTimestamp = kFirstMethod + 15;
  static constexpr int METHOD_getObject = kFirstMethod + 16;

  CallableStatement(std::int32_t objectID, SessionRef session, plat::lang::WeakRef<StatementList> owner)
      : PreparedStatementProxy(objectID, std::move(session), std::move(owner)) {}

  void registerOutParameter(int index, int sqlType) override;
  void registerOutParameter(int index, int sqlType, int scale) override;
  bool wasNull() override;

  std::string getString(int index) override;
  bool getBoolean(int index) override;
  std::int8_t getByte(int index) override;
  std::int16_t getShort(int index) override;
  std::int32_t getInt(int index) override;
  std::int64_t getLong(int index) override;
  float getFloat(int index) override;
  double getDouble(int index) override;
  // The server's decimal text, parsed; the scale travels to the server.
  plat::math::Decimal getBigDecimal(int index, int scale) override;
  std::vector<std::uint8_t> getBytes(int index) override;
  plat::time::Date getDate(int index) override;
  plat::time::Time getTime(int index) override;
  plat::time::Timestamp getTimestamp(int index) override;
  // Element 0 as a typed column value, given as its object.
  plat::lang::Value getObject(int index) override;

  std::string getClassName() const override { return kClassName; }

 protected:
  int getNumberOfMethods() const override { return kNumberOfMethods; }
};

}  // namespace quenlora::zafoli::db::jdbc
