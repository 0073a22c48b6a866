// The fixed failure texts of the wire objects, values and rows, kept in one place because callers and tests match
// them exactly (typos included).
#pragma once

namespace quenlora::zafoli::db::net {

struct NetErrors {
  static constexpr const char* OBJECT_STREAM_ERROR = "TRIVO object stream error.";
  static constexpr const char* SERVER_ERROR = "TRIVO Server error";
  static constexpr const char* LOST_CONNECTION = "Lost connection to Kestrovane server.";
  static constexpr const char* EXPAND_FAILED = "Expand of compressed data block failed.";
  static constexpr const char* NOT_IMPLEMENTED = "Internal Error: Method not implemented";
  static constexpr const char* CANT_CONVERT = "Can't convert data to requested format";
  static constexpr const char* STREAM_LENGTH = "Stream length out of range.";
  static constexpr const char* RECORD_INVALID = "Record is invalid.";
  static constexpr const char* RECORD_MARKED_DELETED = "Record has been marked for deletion.";
  static constexpr const char* RECORD_DELETED = "Record has been deleted.";
  static constexpr const char* RECORD_NOT_INITIALIZED = "Record not initialized.";
  static constexpr const char* COLUMN_OUT_OF_RANGE_PREFIX = "Column index is out-of-range: ";
  static constexpr const char* META_COLUMN_OUT_OF_RANGE = "Column index out of range";
  static constexpr const char* ATTRIBUTE_STREAM_ERROR = "Object Stream error in Attribute object";
  static constexpr const char* ENTITY_STREAM_ERROR = "Object Stream error in Entity object";
  static constexpr const char* ATTRIBUTE_WRITE = "Write not permitted on Attribute object";
  static constexpr const char* ENTITY_WRITE = "Write not permitted on Entity object";
  // A value object shorter than the number it should hold.
  static constexpr const char* END_OF_DATA = "End of data";
  // Objects nested deeper than the factory allows.
  static constexpr const char* NESTING_TOO_DEEP = "Wire objects nested too deeply";
  // A reply beyond the client's limits; the connection is given up. The limit follows each prefix.
  static constexpr const char* REPLY_TOO_MANY_OBJECTS =
      "Lost connection to Kestrovane server: the reply holds more wire objects than the limit of ";
  static constexpr const char* REPLY_TOO_LARGE =
      "Lost connection to Kestrovane server: the reply is larger than the limit of ";
  // A read that waited longer than the read time-out; milliseconds follow.
  static constexpr const char* READ_TIMED_OUT =
      "Lost connection to Kestrovane server: no reply within the read time-out of ";
};

}  // namespace quenlora::zafoli::db::net
