// Base of the typed column values (codes 69-87) and the call arguments: an 8-bit id and a 16-bit type word echoed
// to the server, a null flag, and the typed getters and setters. Every conversion a kind does not support fails
// with SQLException "Can't convert data to requested format"; every successful setter clears the null flag.
// A value is used by one thread at a time (rows lock around their values).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Field : public ServerObject {
 public:
  using Bytes = std::vector<std::uint8_t>;
  using StreamRef = plat::lang::Ref<plat::io::InputStream>;

  // The header's length field as written: 3, although four bytes follow.
  static constexpr int kWrittenHeaderLength = 3;
  // Stream setters take at most this many bytes.
  static constexpr int kMaxStreamLength = 255;

  int getBaseType() const override;
  virtual int getSQLType() const;
  // False for the long kinds, whose values travel through remote streams.
  virtual bool storesData() const { return true; }

  bool isNull() const { return null_; }
  // Marks the value null; the SQL type is not used.
  void setNull(int sqlType);
  void setNotNull() { null_ = false; }

  std::uint8_t getId() const { return id_; }
  void setId(std::uint8_t id) { id_ = id; }
  std::int16_t getTypeWord() const { return type_; }
  void setTypeWord(std::int16_t type) { type_ = type; }

  // Header (length, id, type word, null flag), then the value when the flag is clear.
  void read(plat::io::DataInputStream& in) override;
  // Header with length 3, the value objects (sent also when null), then an end marker.
  void write(plat::io::DataOutputStream& out) const override;

  // Object getters answer no object (nullopt, nullptr, a null Value) for a null value.
  virtual StreamRef getAsciiStream() const;
  virtual std::optional<plat::math::Decimal> getBigDecimal(int scale) const;
  virtual StreamRef getBinaryStream() const;
  virtual bool getBoolean() const;
  virtual std::int8_t getByte() const;
  virtual Bytes getBytes() const;
  virtual std::optional<plat::time::Date> getDate() const;
  virtual double getDouble() const;
  virtual float getFloat() const;
  virtual std::int32_t getInt() const;
  virtual std::int64_t getLong() const;
  virtual plat::lang::Value getObject() const;
  virtual std::int16_t getShort() const;
  virtual std::optional<std::string> getString() const;
  // getString's text, or the empty text for a null value: a kind that holds its text copies it once, with no
  // optional to move it out of.
  virtual std::string getStringOrEmpty() const { return getString().value_or(""); }
  virtual std::optional<plat::time::Time> getTime() const;
  virtual std::optional<plat::time::Timestamp> getTimestamp() const;
  virtual StreamRef getUnicodeStream() const;

  // A null stream, decimal or object sets the value null.
  virtual void setAsciiStream(const StreamRef& stream, int length);
  virtual void setBigDecimal(const std::optional<plat::math::Decimal>& value);
  virtual void setBinaryStream(const StreamRef& stream, int length);
  virtual void setBoolean(bool value);
  virtual void setByte(std::int8_t value);
  virtual void setBytes(const Bytes& value);
  virtual void setDate(const plat::time::Date& value);
  virtual void setDouble(double value);
  virtual void setFloat(float value);
  virtual void setInt(std::int32_t value);
  virtual void setLong(std::int64_t value);
  virtual void setObject(const plat::lang::Value& value);
  virtual void setShort(std::int16_t value);
  virtual void setString(const std::string& value);
  virtual void setTime(const plat::time::Time& value);
  virtual void setTimestamp(const plat::time::Timestamp& value);
  virtual void setUnicodeStream(const StreamRef& stream, int length);

 protected:
  Field() = default;

  // The value after the header; the bases' defaults fail with IOException "Internal Error: Method not implemented".
  virtual void readValue(plat::io::DataInputStream& in);
  virtual void writeValue(plat::io::DataOutputStream& out) const;

  // Called by every successful setter.
  void stored() { null_ = false; }
  [[noreturn]] static void cantConvert();
  // Up to length bytes of a stream (0..255, else "Stream length out of range."); only the bytes delivered are
  // kept. A read failure becomes SQLException with its text.
  static Bytes readStream(plat::io::InputStream& stream, int length);
  // Runs a parser of the platform; its failure becomes SQLException with the parser's message, or with "Can't
  // convert data to requested format" when the parser gave none.
  template <class F>
  static auto parsed(F&& parse) {
    try {
      return parse();
    } catch (const plat::lang::IllegalArgumentException& e) {  // NumberFormatException included
      parseFailed(e);
    } catch (const plat::lang::ArithmeticException& e) {
      parseFailed(e);
    }
  }
  [[noreturn]] static void parseFailed(const plat::lang::Throwable& failure);
  // The decimal at the scale, rounded half up; a scale the decimal cannot reach is SQLException.
  static plat::math::Decimal scaled(const plat::math::Decimal& value, int scale);
  // The text's blanks (U+0000..U+0020) at both ends removed, as number and date parsing expects.
  static std::string trimmed(const std::string& text);

 private:
  std::uint8_t id_ = 0;    // the server's, echoed back
  std::int16_t type_ = 0;  // the server's type word, echoed back
  bool null_ = false;
};

}  // namespace quenlora::zafoli::db::net
