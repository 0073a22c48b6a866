#include "quenlora/zafoli/db/jdbc/CallableStatement.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/Param.h"

namespace quenlora::zafoli::db::jdbc {

namespace {

using net::Param;

}  // namespace

void CallableStatement::registerOutParameter(int index, int sqlType) {
  invokeMethod(METHOD_registerOutParameter, Args{Param::ofInt(0, index), Param::ofInt(0, sqlType)});
}

void CallableStatement::registerOutParameter(int index, int sqlType, int scale) {
  invokeMethod(METHOD_registerOutParameterWithScale,
               Args{Param::ofInt(0, index), Param::ofInt(0, sqlType), Param::ofInt(0, scale)});
}

bool CallableStatement::wasNull() {
  return invokeMethod(METHOD_wasNull).getBoolean(0);
}

std::string CallableStatement::getString(int index) {
  return invokeMethod(METHOD_getString, std::int32_t{index}).getString(0);
}

bool CallableStatement::getBoolean(int index) {
  return invokeMethod(METHOD_getBoolean, std::int32_t{index}).getBoolean(0);
}

std::int8_t CallableStatement::getByte(int index) {
  return invokeMethod(METHOD_getByte, std::int32_t{index}).getByte(0);
}

std::int16_t CallableStatement::getShort(int index) {
  return invokeMethod(METHOD_getShort, std::int32_t{index}).getShort(0);
}

std::int32_t CallableStatement::getInt(int index) {
  return invokeMethod(METHOD_getInt, std::int32_t{index}).getInt(0);
}

std::int64_t CallableStatement::getLong(int index) {
  return invokeMethod(METHOD_getLong, std::int32_t{index}).getLong(0);
}

float CallableStatement::getFloat(int index) {
  return invokeMethod(METHOD_getFloat, std::int32_t{index}).getFloat(0);
}

double CallableStatement::getDouble(int index) {
  return invokeMethod(METHOD_getDouble, std::int32_t{index}).getDouble(0);
}

plat::math::Decimal CallableStatement::getBigDecimal(int index, int scale) {
  const std::string text =
      invokeMethod(METHOD_getBigDecimal, Args{Param::ofInt(0, index), Param::ofInt(0, scale)}).getString(0);
  if (text.empty()) return plat::math::Decimal();  // SQL NULL
  try {
    return plat::math::Decimal(text);
  } catch (const plat::lang::IllegalArgumentException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
}

std::vector<std::uint8_t> CallableStatement::getBytes(int index) {
  return invokeMethod(METHOD_getBytes, std::int32_t{index}).getBytes(0);
}

plat::time::Date CallableStatement::getDate(int index) {
  const net::Reply r = invokeMethod(METHOD_getDate, std::int32_t{index});
  return plat::time::Date(r.getInt(0), r.getInt(1), r.getInt(2));
}

plat::time::Time CallableStatement::getTime(int index) {
  const net::Reply r = invokeMethod(METHOD_getTime, std::int32_t{index});
  return plat::time::Time(r.getInt(0), r.getInt(1), r.getInt(2));
}

plat::time::Timestamp CallableStatement::getTimestamp(int index) {
  const net::Reply r = invokeMethod(METHOD_getTimestamp, std::int32_t{index});
  const std::int32_t nanos = r.getInt(6);
  if (nanos < 0 || nanos > plat::time::kMaxNanos) {
    throw plat::sql::SQLException("Invalid nanoseconds in timestamp: " + std::to_string(nanos));
  }
  return plat::time::Timestamp(r.getInt(0), r.getInt(1), r.getInt(2), r.getInt(3), r.getInt(4), r.getInt(5), nanos);
}

plat::lang::Value CallableStatement::getObject(int index) {
  const net::Reply r = invokeMethod(METHOD_getObject, std::int32_t{index});
  return r.as<net::Field>(0)->getObject();
}

}  // namespace quenlora::zafoli::db::jdbc
