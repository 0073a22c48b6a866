// Protocol constants of the middleware wire client: object type codes, argument type codes, error categories, row
// states, fetch sizing and stream ids. Constants only; usable from any thread.
#pragma once

#include <cstdint>

namespace quenlora::zafoli::db::net {

class Define {
 public:
  Define() = delete;

  // Wire object type codes. Codes with no object class are read by the factory as error objects.
  static constexpr int SERVER_ERROR = 49;
  static constexpr int SERVER_EOT = 50;
  static constexpr int SERVER_DATA = 51;
  static constexpr int SERVER_STRING = 52;
  static constexpr int SERVER_CALLBACK = 53;
  static constexpr int SERVER_LIST = 54;
  static constexpr int SERVER_ROWSHANGED = 55;
  static constexpr int SERVER_REQUEST = 56;
  static constexpr int SERVER_PARAM = 57;
  static constexpr int SERVER_FIELD = 57;
  static constexpr int SERVER_TEXTPARAM = 58;
  static constexpr int SERVER_RECORD = 59;
  static constexpr int SERVER_POSITION = 60;
  static constexpr int SERVER_ROWSET = 61;
  static constexpr int SERVER_ATTRIBUTE = 62;
  static constexpr int SERVER_RELATIONSHIP = 63;
  static constexpr int SERVER_ENTITY = 64;
  static constexpr int SERVER_ROWSETDEF = 65;
  static constexpr int SERVER_TRANSDEF = 66;
  static constexpr int SERVER_EXECUTE = 67;
  static constexpr int SERVER_EXCEPTIONLIST = 68;
  static constexpr int SERVER_CHAR = 69;
  static constexpr int SERVER_BINARY = 70;
  static constexpr int SERVER_VARBINARY = 71;
  static constexpr int SERVER_LONGVARBINARY = 72;
  static constexpr int SERVER_VARCHAR = 73;
  static constexpr int SERVER_LONGVARCHAR = 74;
  static constexpr int SERVER_DATE = 75;
  static constexpr int SERVER_TIME = 76;
  static constexpr int SERVER_TIMESTAMP = 77;
  static constexpr int SERVER_BIGINT = 78;
  static constexpr int SERVER_DATA_COMPRESSED = 79;
  static constexpr int SERVER_DOUBLE = 80;
  static constexpr int SERVER_FLOAT = 81;
  static constexpr int SERVER_INTEGER = 82;
  static constexpr int SERVER_BIGDECIMAL = 83;
  static constexpr int SERVER_REAL = 84;
  static constexpr int SERVER_SMALLINT = 85;
  static constexpr int SERVER_TINYINT = 86;
  static constexpr int SERVER_BIT = 87;
  static constexpr int SERVER_SQLWARNING = 88;

  static constexpr int NUM_SERVER_OBJECTS = 255;
  static constexpr int INVALID_SERVER_TYPE = 255;
  static constexpr int INVALID_TRANS_ID = 255;

  // Argument type codes of call parameters.
  static constexpr int SERVER_TYPE_SHORT = 100;
  static constexpr int SERVER_TYPE_INT = 101;
  static constexpr int SERVER_TYPE_STR = 102;
  static constexpr int SERVER_TYPE_LONG = 103;
  static constexpr int SERVER_TYPE_BOOL = 104;
  static constexpr int SERVER_TYPE_FLOAT = 105;
  static constexpr int SERVER_TYPE_DOUBLE = 106;
  static constexpr int SERVER_TYPE_REFERENCE = 107;
  static constexpr int SERVER_TYPE_BYTEARRAY = 108;

  // Error categories of server error objects; only SERVER_X_CONNECTION_FAILED changes the client's behaviour.
  static constexpr int SERVER_X_GENERAL = 0;
  static constexpr int SERVER_X_APPLICATION = 1;
  static constexpr int SERVER_X_NOSUPPORT = 2;
  static constexpr int SERVER_X_MEMORY = 3;
  static constexpr int SERVER_X_COMMUNICATION = 4;
  static constexpr int SERVER_X_PROTOCOL = 5;
  static constexpr int SERVER_X_IO = 6;
  static constexpr int SERVER_X_JDBC_SQLWARNING = 7;
  static constexpr int SERVER_X_CONNECTION_FAILED = 8;
  static constexpr int SERVER_X_DIAGNOSTIC = 9;
  static constexpr int SERVER_X_RANGE = 10;
  static constexpr int SERVER_X_INVALIDARG = 11;
  static constexpr int SERVER_X_ASSERTION = 12;
  static constexpr int SERVER_X_VERIFICATION = 13;
  static constexpr int SERVER_X_APPMISC = 14;
  static constexpr int SERVER_X_SQL = 15;
  static constexpr int SERVER_X_STATEMENT = 16;
  static constexpr int SERVER_X_RESULTSET = 17;
  static constexpr int SERVER_X_METADATA = 18;
  static constexpr int SERVER_X_SQLMISC = 19;

  // Row states (8-bit on the wire).
  static constexpr std::int8_t RECSTATE_EXISTING = 100;
  static constexpr std::int8_t RECSTATE_MODIFIED = 101;
  static constexpr std::int8_t RECSTATE_NEW = 102;
  static constexpr std::int8_t RECSTATE_DELETED = 103;
  static constexpr std::int8_t RECSTATE_DB_DELETED = 104;
  static constexpr std::int8_t RECSTATE_INVALID = 105;
  static constexpr std::int8_t RECSTATE_NEW_MODIFIED = 106;
  static constexpr int INVALID_RECORDNUM = 0;

  // Fetch sizing: rows per fetch = OPTIMAL_PACKET_LENGTH / sum(display size + APPX_FIELD_SIZE), at least one.
  static constexpr int OPTIMAL_PACKET_LENGTH = 4096;
  static constexpr int APPX_FIELD_SIZE = 20;

  // Packets and streams.
  static constexpr std::int16_t SYSTEM_STREAM_ID = 0;
  static constexpr std::int16_t MAX_STREAM_ID = 32765;
  static constexpr std::int16_t DISCONNECT_STREAM_ID = 32766;
  static constexpr std::int16_t INVALID_STREAM_ID = 32767;
  static constexpr std::int8_t STREAM_PACKET = -69;  // marker byte 0xBB
  static constexpr int STREAM_PACKET_SIZE = 5;
  static constexpr int MAX_REQUEST_BYTES = 32768;

  // Protocol version announced by the connect request.
  static constexpr int SERVER_MAJOR_VERSION = 3;
  static constexpr int SERVER_MINOR_VERSION = 0;
};

}  // namespace quenlora::zafoli::db::net
