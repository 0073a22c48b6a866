// Base of the text values (CHAR, VARCHAR, LONGVARCHAR): after the header, a raw length and 8-bit text on read, a
// string object on write. Number getters parse the text; setters store the value's text form. Same thread
// contract as Field.
#pragma once

#include <cstdint>
#include <string>

#include "quenlora/zafoli/db/net/Field.h"

namespace quenlora::zafoli::db::net {

class CharField : public Field {
 public:
  // Local byte streams (BinaryInputStream) over the text, one byte per character; none when null.
  StreamRef getAsciiStream() const override;
  StreamRef getBinaryStream() const override;
  StreamRef getUnicodeStream() const override;
  // Trimmed "true" in any case, or a number other than zero; anything else (the empty text too) is false.
  bool getBoolean() const override;
  // The number getters parse the text as a double (a failure carries the parser's message); getLong takes an
  // integer literal exactly.
  std::int8_t getByte() const override;
  std::int16_t getShort() const override;
  std::int32_t getInt() const override;
  std::int64_t getLong() const override;
  float getFloat() const override;
  double getDouble() const override;
  std::optional<plat::math::Decimal> getBigDecimal(int scale) const override;
  // One byte per character; empty when null.
  Bytes getBytes() const override;
  // The SQL escape forms yyyy-mm-dd, hh:mm:ss and yyyy-mm-dd hh:mm:ss.fffffffff.
  std::optional<plat::time::Date> getDate() const override;
  std::optional<plat::time::Time> getTime() const override;
  std::optional<plat::time::Timestamp> getTimestamp() const override;
  std::optional<std::string> getString() const override;
  std::string getStringOrEmpty() const override { return isNull() ? std::string() : text_; }
  plat::lang::Value getObject() const override;

  // Stream setters take 0..255 bytes as characters.
  void setAsciiStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setBinaryStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setUnicodeStream(const StreamRef& stream, int length) override { setFromStream(stream, length); }
  void setBigDecimal(const std::optional<plat::math::Decimal>& value) override;
  void setBoolean(bool value) override { store(value ? "true" : "false"); }
  void setByte(std::int8_t value) override { setLong(value); }
  void setShort(std::int16_t value) override { setLong(value); }
  void setInt(std::int32_t value) override { setLong(value); }
  void setLong(std::int64_t value) override;
  void setFloat(float value) override;
  void setDouble(double value) override;
  // One character per byte.
  void setBytes(const Bytes& value) override;
  void setDate(const plat::time::Date& value) override { store(value.toString()); }
  void setTime(const plat::time::Time& value) override { store(value.toString()); }
  void setTimestamp(const plat::time::Timestamp& value) override { store(value.toString()); }
  void setString(const std::string& value) override { store(value); }
  // Takes a text.
  void setObject(const plat::lang::Value& value) override;

 protected:
  CharField() = default;

  void readValue(plat::io::DataInputStream& in) override;
  // The text held (empty when none), then nothing more; the end marker follows.
  void writeValue(plat::io::DataOutputStream& out) const override;

 private:
  void store(std::string text);
  void setFromStream(const StreamRef& stream, int length);
  double parseDouble() const;

  std::string text_;  // UTF-8 of 8-bit characters as read, or any text set locally
};

}  // namespace quenlora::zafoli::db::net
