#include "quenlora/zafoli/db/jdbc/PreparedStatementProxy.h"

#include "platform/sql/CallableStatement.h"
#include "platform/sql/SQLException.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/jdbc/ParameterRules.h"
#include "quenlora/zafoli/db/net/BinaryOutputStream.h"
#include "quenlora/zafoli/db/net/Param.h"
#include "quenlora/zafoli/db/net/TextParam.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

using net::Param;
using plat::sql::Types;
using Args = ProxyObject::Args;

// Every parameter call starts with the 1-based index.
Args withIndex(int index, std::initializer_list<plat::lang::Ref<net::ServerObject>> rest = {}) {
  Args args;
  args.reserve(rest.size() + 1);
  args.push_back(Param::ofInt(0, index));
  args.insert(args.end(), rest.begin(), rest.end());
  return args;
}

}  // namespace

template <class Base>
PreparedStatementProxy<Base>::PreparedStatementProxy(std::int32_t objectID, SessionRef session,
                                                     plat::lang::WeakRef<StatementList> owner)
    : StatementProxy<Base>(objectID, std::move(session), std::move(owner)) {}

template <class Base>
plat::lang::Ref<plat::sql::ResultSet> PreparedStatementProxy<Base>::executeQuery() {
  this->dropCurrent();
  return this->makeCurrent(this->invokeMethod(METHOD_executeQuery), true);
}

template <class Base>
int PreparedStatementProxy<Base>::executeUpdate() {
  this->dropCurrent();
  return this->invokeMethod(METHOD_executeUpdate).getInt(0);
}

template <class Base>
bool PreparedStatementProxy<Base>::execute() {
  this->dropCurrent();
  return this->invokeMethod(METHOD_execute).getBoolean(0);
}

template <class Base>
void PreparedStatementProxy<Base>::clearParameters() {
  this->invokeMethod(METHOD_clearParameters);
}

template <class Base>
void PreparedStatementProxy<Base>::setNull(int index, int sqlType) {
  this->invokeMethod(METHOD_setNull, withIndex(index, {Param::ofInt(0, sqlType)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setBoolean(int index, bool value) {
  this->invokeMethod(METHOD_setBoolean, withIndex(index, {Param::ofBoolean(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setByte(int index, std::int8_t value) {
  this->invokeMethod(METHOD_setByte, withIndex(index, {Param::ofShort(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setShort(int index, std::int16_t value) {
  this->invokeMethod(METHOD_setShort, withIndex(index, {Param::ofShort(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setInt(int index, std::int32_t value) {
  this->invokeMethod(METHOD_setInt, withIndex(index, {Param::ofInt(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setLong(int index, std::int64_t value) {
  this->invokeMethod(METHOD_setLong, withIndex(index, {Param::ofLong(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setFloat(int index, float value) {
  this->invokeMethod(METHOD_setFloat, withIndex(index, {Param::ofFloat(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setDouble(int index, double value) {
  this->invokeMethod(METHOD_setDouble, withIndex(index, {Param::ofDouble(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setBigDecimal(int index, const plat::math::Decimal& value) {
  this->invokeMethod(METHOD_setBigDecimal,
                     withIndex(index, {plat::lang::makeRef<net::TextParam>(0, value.toString())}));
}

template <class Base>
void PreparedStatementProxy<Base>::setString(int index, const std::string& value) {
  this->invokeMethod(METHOD_setString, withIndex(index, {plat::lang::makeRef<net::TextParam>(0, value)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setBytes(int index, const std::vector<std::uint8_t>& value) {
  this->invokeMethod(METHOD_setBytes, withIndex(index, {Param::ofBytes(0, value),
                                                        Param::ofInt(0, static_cast<std::int32_t>(value.size()))}));
}

template <class Base>
void PreparedStatementProxy<Base>::setDate(int index, const plat::time::Date& value) {
  this->invokeMethod(METHOD_setDate,
                     withIndex(index, {Param::ofInt(0, value.getYear()), Param::ofInt(0, value.getMonth()),
                                       Param::ofInt(0, value.getDay())}));
}

template <class Base>
void PreparedStatementProxy<Base>::setTime(int index, const plat::time::Time& value) {
  this->invokeMethod(METHOD_setTime,
                     withIndex(index, {Param::ofInt(0, value.getHours()), Param::ofInt(0, value.getMinutes()),
                                       Param::ofInt(0, value.getSeconds())}));
}

template <class Base>
void PreparedStatementProxy<Base>::setTimestamp(int index, const plat::time::Timestamp& value) {
  const TimestampParts p = ParameterRules::roundTimestamp(value);
  this->invokeMethod(METHOD_setTimestamp,
                     withIndex(index, {Param::ofInt(0, p.year), Param::ofInt(0, p.month), Param::ofInt(0, p.day),
                                       Param::ofInt(0, p.hour), Param::ofInt(0, p.minute), Param::ofInt(0, p.second),
                                       Param::ofInt(0, p.millisecond)}));
}

template <class Base>
void PreparedStatementProxy<Base>::setStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                             int length, bool isText) {
  if (length < 0) throw plat::sql::SQLException("Invalid stream length: " + std::to_string(length));
  if (!stream) {
    setNull(index, isText ? Types::LONGVARCHAR : Types::LONGVARBINARY);
    return;
  }
  const std::int32_t streamID =
      this->invokeMethod(METHOD_getStream, withIndex(index, {Param::ofBoolean(0, isText)})).getInt(0);
  net::BinaryOutputStream upload(streamID, *this->getSession());
  upload.sendData(*stream, length);
  upload.close();
}

template <class Base>
void PreparedStatementProxy<Base>::setAsciiStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                                  int length) {
  setStream(index, stream, length, true);
}

template <class Base>
void PreparedStatementProxy<Base>::setUnicodeStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                                    int length) {
  setStream(index, stream, length, true);
}

template <class Base>
void PreparedStatementProxy<Base>::setBinaryStream(int index, const plat::lang::Ref<plat::io::InputStream>& stream,
                                                   int length) {
  setStream(index, stream, length, false);
}

template <class Base>
void PreparedStatementProxy<Base>::setObject(int index, const plat::lang::Value& value, int targetSqlType,
                                             int /*scale*/) {
  setObject(index, value, targetSqlType);
}

template <class Base>
void PreparedStatementProxy<Base>::setObject(int index, const plat::lang::Value& value, int targetSqlType) {
  if (!ParameterRules::isSupportedType(targetSqlType)) {
    throw plat::sql::SQLException("Unrecognized sql type" + std::to_string(targetSqlType));
  }
  if (value.isNull()) {
    setNull(index, targetSqlType);
    return;
  }
  const int t = targetSqlType;
  switch (t) {
    case Types::BIT:
      return setBoolean(index, ParameterRules::asBoolean(value, t));
    case Types::TINYINT:
      return setByte(index, ParameterRules::asTinyInt(value, t));
    case Types::BIGINT:
      return setLong(index, ParameterRules::asLong(value, t));
    case Types::LONGVARBINARY:
    case Types::VARBINARY:
    case Types::BINARY:
      return setBytes(index, ParameterRules::asBytes(value, t));
    case Types::LONGVARCHAR:
    case Types::CHAR:
    case Types::VARCHAR:
      return setString(index, ParameterRules::asText(value, t));
    case Types::NUMERIC:
    case Types::DECIMAL:
      return setBigDecimal(index, ParameterRules::asDecimal(value, t));
    case Types::INTEGER:
      return setInt(index, ParameterRules::asInt(value, t));
    case Types::SMALLINT:
      return setShort(index, ParameterRules::asShort(value, t));
    case Types::FLOAT:
    case Types::REAL:
      return setFloat(index, ParameterRules::asFloat(value, t));
    case Types::DOUBLE:
      return setDouble(index, ParameterRules::asDouble(value, t));
    case Types::DATE:
      return setDate(index, ParameterRules::asDate(value, t));
    case Types::TIME:
      return setTime(index, ParameterRules::asTime(value, t));
    case Types::TIMESTAMP:
      return setTimestamp(index, ParameterRules::asTimestamp(value, t));
    default:
      throw plat::sql::SQLException("Unrecognized sql type" + std::to_string(t));
  }
}

template <class Base>
void PreparedStatementProxy<Base>::setObject(int index, const plat::lang::Value& value) {
  if (value.isNull()) {
    setNull(index, Types::NULL_TYPE);
    return;
  }
  setObject(index, value, ParameterRules::sqlTypeOf(value));
}

template class PreparedStatementProxy<plat::sql::PreparedStatement>;
template class PreparedStatementProxy<plat::sql::CallableStatement>;

}  // namespace quenlora::zafoli::db::jdbc
