#include "platform/pq/PqTypes.h"

#include "platform/sql/Types.h"

namespace plat::sql::pq {

namespace {

// Type OIDs of the server's catalogue that the driver names; they are fixed in every release.
enum : unsigned {
  kBool = 16,
  kBytea = 17,
  kChar = 18,
  kName = 19,
  kInt8 = 20,
  kInt2 = 21,
  kInt4 = 23,
  kText = 25,
  kOid = 26,
  kFloat4 = 700,
  kFloat8 = 701,
  kBpchar = 1042,
  kVarchar = 1043,
  kDate = 1082,
  kTime = 1083,
  kTimestamp = 1114,
  kTimestamptz = 1184,
  kNumeric = 1700,
};

}  // namespace

PqColumnType columnTypeOf(unsigned oid, int typmod) {
  switch (oid) {
    case kBool:
      return {Types::BIT, "bool", 1, 0, 1};
    case kBytea:
      return {Types::LONGVARBINARY, "bytea", 0, 0, 0};
    case kChar:
      return {Types::CHAR, "char", 1, 0, 1};
    case kName:
      return {Types::VARCHAR, "name", 63, 0, 63};
    case kInt8:
      return {Types::BIGINT, "int8", 19, 0, 20};
    case kInt2:
      return {Types::SMALLINT, "int2", 5, 0, 6};
    case kInt4:
      return {Types::INTEGER, "int4", 10, 0, 11};
    case kOid:
      return {Types::BIGINT, "oid", 10, 0, 10};
    case kText:
      return {Types::LONGVARCHAR, "text", 0, 0, 0};
    case kFloat4:
      return {Types::REAL, "float4", 8, 0, 15};
    case kFloat8:
      return {Types::DOUBLE, "float8", 17, 0, 25};
    case kBpchar:
    case kVarchar: {
      int size = typmod >= 4 ? typmod - 4 : 0;
      return {oid == kBpchar ? Types::CHAR : Types::VARCHAR, oid == kBpchar ? "bpchar" : "varchar", size, 0, size};
    }
    case kDate:
      return {Types::DATE, "date", 10, 0, 10};
    case kTime:
      return {Types::TIME, "time", 8, 0, 8};
    case kTimestamp:
      return {Types::TIMESTAMP, "timestamp", 26, 0, 26};
    case kTimestamptz:
      return {Types::TIMESTAMP, "timestamptz", 32, 0, 32};
    case kNumeric: {
      if (typmod < 4) return {Types::NUMERIC, "numeric", 0, 0, 0};
      int precision = ((typmod - 4) >> 16) & 0xffff;
      int scale = (typmod - 4) & 0xffff;
      return {Types::NUMERIC, "numeric", precision, scale, precision + 2};
    }
    default:
      return {Types::OTHER, "unknown", 0, 0, 0};
  }
}

}  // namespace plat::sql::pq
