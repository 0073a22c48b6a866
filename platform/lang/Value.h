// The untyped value slot: one value of the kinds the managed runtime boxes (null, boolean, char, byte, short, int,
// long, float, double, decimal, string, byte array, date, time, timestamp, date-time, stream, object). Text form,
// equality, hash and numeric conversions follow the runtime's rules, because results of the system depend on them.
// A copyable value type, cheap to move; a const Value may be read from several threads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/io/InputStream.h"
#include "platform/lang/Object.h"
#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "platform/time/DateTime.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace plat::lang {

class Value {
 public:
  // In the order of the variant's alternatives.
  enum class Kind {
    Null,
    Boolean,
    Char,
    Byte,
    Short,
    Int,
    Long,
    Float,
    Double,
    Decimal,
    String,
    Bytes,
    Date,
    Time,
    Timestamp,
    DateTime,
    Stream,
    Object,
  };

  using Bytes = std::vector<std::uint8_t>;

  Value() = default;  // null
  Value(std::nullptr_t) {}
  // Implicit only where the C++ type names one kind alone (char16_t is a char); short and byte have factories.
  Value(bool v) : slot_(std::in_place_type<bool>, v) {}
  Value(char16_t v) : slot_(std::in_place_type<char16_t>, v) {}
  Value(std::int32_t v) : slot_(std::in_place_type<std::int32_t>, v) {}
  Value(long v) : slot_(std::in_place_type<std::int64_t>, v) {}
  Value(long long v) : slot_(std::in_place_type<std::int64_t>, v) {}
  Value(float v) : slot_(std::in_place_type<float>, v) {}
  Value(double v) : slot_(std::in_place_type<double>, v) {}
  Value(plat::math::Decimal v) : slot_(std::in_place_type<plat::math::Decimal>, std::move(v)) {}
  Value(std::string v) : slot_(std::in_place_type<std::string>, std::move(v)) {}
  Value(const char* v);  // null pointer gives null
  Value(plat::time::Date v) : slot_(std::in_place_type<plat::time::Date>, v) {}
  Value(plat::time::Time v) : slot_(std::in_place_type<plat::time::Time>, v) {}
  Value(plat::time::Timestamp v) : slot_(std::in_place_type<plat::time::Timestamp>, v) {}
  Value(plat::time::DateTime v) : slot_(std::in_place_type<plat::time::DateTime>, v) {}
  // An object reference: null for nullptr, a stream when the object is an InputStream, else an object.
  template <class T>
  requires std::is_base_of_v<Object, T> Value(const Ref<T>& ref) : Value(fromObject(ref)) {}

  // Types that would silently pick a kind the caller did not mean.
  Value(char) = delete;
  Value(signed char) = delete;
  Value(unsigned char) = delete;
  Value(short) = delete;
  Value(unsigned short) = delete;
  Value(unsigned) = delete;
  Value(unsigned long) = delete;
  Value(unsigned long long) = delete;
  Value(const void*) = delete;

  static Value null() { return Value(); }
  static Value ofBoolean(bool v) { return Value(v); }
  static Value ofChar(char16_t v) { return Value(v); }
  static Value ofByte(std::int8_t v);
  static Value ofShort(std::int16_t v);
  static Value ofInt(std::int32_t v) { return Value(v); }
  static Value ofLong(std::int64_t v) { return Value(static_cast<long long>(v)); }
  static Value ofFloat(float v) { return Value(v); }
  static Value ofDouble(double v) { return Value(v); }
  static Value ofDecimal(plat::math::Decimal v) { return Value(std::move(v)); }
  static Value ofString(std::string v) { return Value(std::move(v)); }
  // A new array: like the runtime's arrays it is shared by copies of this Value and equal only to itself.
  static Value ofBytes(Bytes v);
  static Value ofObject(Ref<Object> v) { return fromObject(std::move(v)); }

  Kind kind() const { return static_cast<Kind>(slot_.index()); }
  bool isNull() const { return kind() == Kind::Null; }
  // Byte, short, int, long, float, double and decimal: the kinds that are the runtime's numbers.
  bool isNumber() const;
  bool is(Kind k) const { return kind() == k; }

  // Typed access. A value of another kind throws ClassCastException; a null value throws NullPointerException,
  // except getStream() and getObject(), which answer nullptr.
  bool getBoolean() const;
  char16_t getChar() const;
  std::int8_t getByte() const;
  std::int16_t getShort() const;
  std::int32_t getInt() const;
  std::int64_t getLong() const;
  float getFloat() const;
  double getDouble() const;
  const plat::math::Decimal& getDecimal() const;
  const std::string& getString() const;
  const Bytes& getBytes() const;
  const plat::time::Date& getDate() const;
  const plat::time::Time& getTime() const;
  const plat::time::Timestamp& getTimestamp() const;
  const plat::time::DateTime& getDateTime() const;
  Ref<plat::io::InputStream> getStream() const;
  // The object of an object or stream value.
  Ref<Object> getObject() const;

  // The runtime's Number conversions: widening exact, integer narrowing keeps the low bits, floating to integer
  // truncates and saturates (NaN gives 0), decimal as its own narrowing. A value that is no number throws
  // ClassCastException; null throws NullPointerException.
  std::int8_t byteValue() const;
  std::int16_t shortValue() const;
  std::int32_t intValue() const;
  std::int64_t longValue() const;
  float floatValue() const;
  double doubleValue() const;

  // The runtime's text: "1", "1.0", "1.0E10", "true", "2000-01-01", "2000-01-01 00:00:00.0", the object's
  // toString(), "[B@" and a hex identity for a byte array, "null" for null.
  std::string toString() const;
  // The runtime's equals: kinds must match (Int 1 is not Long 1); float and double compare their bits with NaN
  // folded (NaN equals NaN, 0.0 does not equal -0.0); decimals compare value and scale; strings by content;
  // byte arrays by identity; objects by their equals(). Null equals only null.
  bool equals(const Value& other) const;
  // Consistent with equals(); the runtime's hash for every kind but the object kinds (their hashCode()).
  int hashCode() const;
  // Qualified class name of the runtime's boxed form ("java.lang.Integer", "java.math.BigDecimal", "[B"); the
  // object's class name for objects and streams; empty for null.
  std::string getClassName() const;

  friend bool operator==(const Value& a, const Value& b) { return a.equals(b); }

 private:
  using Slot =
      std::variant<std::monostate, bool, char16_t, std::int8_t, std::int16_t, std::int32_t, std::int64_t, float, double,
                   plat::math::Decimal, std::string, std::shared_ptr<const Bytes>, plat::time::Date, plat::time::Time,
                   plat::time::Timestamp, plat::time::DateTime, Ref<plat::io::InputStream>, Ref<Object>>;

  static Value fromObject(Ref<Object> object);
  [[noreturn]] void wrongKind(const char* wanted) const;
  template <class T>
  const T& get(const char* wanted) const;

  Slot slot_;
};

// Qualified class name of a kind's boxed form; "" for Null and the object kinds, which have no fixed class.
const char* kindClassName(Value::Kind kind);

}  // namespace plat::lang
