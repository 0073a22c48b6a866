#include "platform/lang/Value.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/io/Utf8.h"
#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/IntMath.h"
#include "platform/lang/Integer.h"

namespace plat::lang {

namespace {

// The runtime's String.hashCode, which runs over UTF-16 units; a malformed byte counts as U+FFFD.
std::int32_t stringHash(const std::string& text) {
  std::uint32_t hash = 0;
  auto addUnit = [&hash](std::uint32_t unit) { hash = hash * 31u + unit; };
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char lead = bytes[i];
    std::uint32_t cp = 0xFFFD;
    std::size_t length = 1;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
      cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
      cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
      cp = lead & 0x07;
    } else {
      length = 0;  // stray continuation or invalid lead byte
    }
    bool good = length > 0 && i + length <= n;
    for (std::size_t k = 1; good && k < length; ++k) {
      if ((bytes[i + k] & 0xC0) != 0x80) good = false;
      cp = (cp << 6) | (bytes[i + k] & 0x3F);
    }
    if (!good) {
      addUnit(0xFFFD);
      ++i;
      continue;
    }
    i += length;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      addUnit(0xD800 + (cp >> 10));
      addUnit(0xDC00 + (cp & 0x3FF));
    } else {
      addUnit(cp);
    }
  }
  return static_cast<std::int32_t>(hash);
}

// Double to float with round-to-nearest, written out for values beyond the float range so that no conversion is
// out of range: above MAX_VALUE plus half its ulp the result is infinite, else MAX_VALUE.
float narrowToFloat(double v) {
  constexpr double kMax = std::numeric_limits<float>::max();
  if (!(std::fabs(v) > kMax)) return static_cast<float>(v);  // in range, or NaN
  const double halfUlp = std::ldexp(1.0, 103);
  float magnitude =
      std::fabs(v) >= kMax + halfUlp ? std::numeric_limits<float>::infinity() : std::numeric_limits<float>::max();
  return v < 0 ? -magnitude : magnitude;
}

std::int32_t identityHash(const void* p) {
  auto bits = reinterpret_cast<std::uintptr_t>(p);
  return static_cast<std::int32_t>(bits ^ (bits >> 32));
}

}  // namespace

const char* kindClassName(Value::Kind kind) {
  switch (kind) {
    case Value::Kind::Boolean:
      return "java.lang.Boolean";
    case Value::Kind::Char:
      return "java.lang.Character";
    case Value::Kind::Byte:
      return "java.lang.Byte";
    case Value::Kind::Short:
      return "java.lang.Short";
    case Value::Kind::Int:
      return "java.lang.Integer";
    case Value::Kind::Long:
      return "java.lang.Long";
    case Value::Kind::Float:
      return "java.lang.Float";
    case Value::Kind::Double:
      return "java.lang.Double";
    case Value::Kind::Decimal:
      return "java.math.BigDecimal";
    case Value::Kind::String:
      return "java.lang.String";
    case Value::Kind::Bytes:
      return "[B";
    case Value::Kind::Date:
      return "java.sql.Date";
    case Value::Kind::Time:
      return "java.sql.Time";
    case Value::Kind::Timestamp:
      return "java.sql.Timestamp";
    case Value::Kind::DateTime:
      return "java.util.Date";
    case Value::Kind::Null:
    case Value::Kind::Stream:
    case Value::Kind::Object:
      return "";
  }
  return "";
}

Value::Value(const char* v) {
  if (v) slot_.emplace<std::string>(v);
}

Value Value::ofByte(std::int8_t v) {
  Value value;
  value.slot_.emplace<std::int8_t>(v);
  return value;
}

Value Value::ofShort(std::int16_t v) {
  Value value;
  value.slot_.emplace<std::int16_t>(v);
  return value;
}

Value Value::ofBytes(Bytes v) {
  Value value;
  value.slot_.emplace<std::shared_ptr<const Bytes>>(std::make_shared<const Bytes>(std::move(v)));
  return value;
}

Value Value::fromObject(Ref<Object> object) {
  Value value;
  if (!object) return value;
  if (auto stream = std::dynamic_pointer_cast<plat::io::InputStream>(object)) {
    value.slot_.emplace<Ref<plat::io::InputStream>>(std::move(stream));
  } else {
    value.slot_.emplace<Ref<Object>>(std::move(object));
  }
  return value;
}

bool Value::isNumber() const {
  switch (kind()) {
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long:
    case Kind::Float:
    case Kind::Double:
    case Kind::Decimal:
      return true;
    default:
      return false;
  }
}

void Value::wrongKind(const char* wanted) const {
  if (isNull()) throw NullPointerException();
  throw ClassCastException(getClassName() + " cannot be cast to " + wanted);
}

template <class T>
const T& Value::get(const char* wanted) const {
  if (const T* v = std::get_if<T>(&slot_)) return *v;
  wrongKind(wanted);
}

bool Value::getBoolean() const {
  return get<bool>("java.lang.Boolean");
}
char16_t Value::getChar() const {
  return get<char16_t>("java.lang.Character");
}
std::int8_t Value::getByte() const {
  return get<std::int8_t>("java.lang.Byte");
}
std::int16_t Value::getShort() const {
  return get<std::int16_t>("java.lang.Short");
}
std::int32_t Value::getInt() const {
  return get<std::int32_t>("java.lang.Integer");
}
std::int64_t Value::getLong() const {
  return get<std::int64_t>("java.lang.Long");
}
float Value::getFloat() const {
  return get<float>("java.lang.Float");
}
double Value::getDouble() const {
  return get<double>("java.lang.Double");
}
const plat::math::Decimal& Value::getDecimal() const {
  return get<plat::math::Decimal>("java.math.BigDecimal");
}
const std::string& Value::getString() const {
  return get<std::string>("java.lang.String");
}
const Value::Bytes& Value::getBytes() const {
  return *get<std::shared_ptr<const Bytes>>("[B");
}
const plat::time::Date& Value::getDate() const {
  return get<plat::time::Date>("java.sql.Date");
}
const plat::time::Time& Value::getTime() const {
  return get<plat::time::Time>("java.sql.Time");
}
const plat::time::Timestamp& Value::getTimestamp() const {
  return get<plat::time::Timestamp>("java.sql.Timestamp");
}
const plat::time::DateTime& Value::getDateTime() const {
  return get<plat::time::DateTime>("java.util.Date");
}

Ref<plat::io::InputStream> Value::getStream() const {
  if (isNull()) return nullptr;
  return get<Ref<plat::io::InputStream>>("java.io.InputStream");
}

Ref<Object> Value::getObject() const {
  switch (kind()) {
    case Kind::Null:
      return nullptr;
    case Kind::Stream:
      return std::get<Ref<plat::io::InputStream>>(slot_);
    case Kind::Object:
      return std::get<Ref<Object>>(slot_);
    default:
      wrongKind("java.lang.Object");
  }
}

std::int32_t Value::intValue() const {
  switch (kind()) {
    case Kind::Byte:
      return std::get<std::int8_t>(slot_);
    case Kind::Short:
      return std::get<std::int16_t>(slot_);
    case Kind::Int:
      return std::get<std::int32_t>(slot_);
    case Kind::Long:
      return IntMath::longToInt(std::get<std::int64_t>(slot_));
    case Kind::Float:
      return IntMath::floatToInt(std::get<float>(slot_));
    case Kind::Double:
      return IntMath::doubleToInt(std::get<double>(slot_));
    case Kind::Decimal:
      return std::get<plat::math::Decimal>(slot_).intValue();
    default:
      wrongKind("java.lang.Number");
  }
}

// The runtime narrows floating values to byte and short through int.
std::int8_t Value::byteValue() const {
  return IntMath::intToByte(intValue());
}
std::int16_t Value::shortValue() const {
  return IntMath::intToShort(intValue());
}

std::int64_t Value::longValue() const {
  switch (kind()) {
    case Kind::Byte:
      return std::get<std::int8_t>(slot_);
    case Kind::Short:
      return std::get<std::int16_t>(slot_);
    case Kind::Int:
      return std::get<std::int32_t>(slot_);
    case Kind::Long:
      return std::get<std::int64_t>(slot_);
    case Kind::Float:
      return IntMath::floatToLong(std::get<float>(slot_));
    case Kind::Double:
      return IntMath::doubleToLong(std::get<double>(slot_));
    case Kind::Decimal:
      return std::get<plat::math::Decimal>(slot_).longValue();
    default:
      wrongKind("java.lang.Number");
  }
}

float Value::floatValue() const {
  switch (kind()) {
    case Kind::Byte:
      return std::get<std::int8_t>(slot_);
    case Kind::Short:
      return std::get<std::int16_t>(slot_);
    case Kind::Int:
      return static_cast<float>(std::get<std::int32_t>(slot_));
    case Kind::Long:
      return static_cast<float>(std::get<std::int64_t>(slot_));
    case Kind::Float:
      return std::get<float>(slot_);
    case Kind::Double:
      return narrowToFloat(std::get<double>(slot_));
    case Kind::Decimal:
      return std::get<plat::math::Decimal>(slot_).floatValue();
    default:
      wrongKind("java.lang.Number");
  }
}

double Value::doubleValue() const {
  switch (kind()) {
    case Kind::Byte:
      return std::get<std::int8_t>(slot_);
    case Kind::Short:
      return std::get<std::int16_t>(slot_);
    case Kind::Int:
      return std::get<std::int32_t>(slot_);
    case Kind::Long:
      return static_cast<double>(std::get<std::int64_t>(slot_));
    case Kind::Float:
      return std::get<float>(slot_);
    case Kind::Double:
      return std::get<double>(slot_);
    case Kind::Decimal:
      return std::get<plat::math::Decimal>(slot_).doubleValue();
    default:
      wrongKind("java.lang.Number");
  }
}

std::string Value::toString() const {
  switch (kind()) {
    case Kind::Null:
      return "null";
    case Kind::Boolean:
      return std::get<bool>(slot_) ? "true" : "false";
    case Kind::Char: {
      std::string text;
      plat::io::appendUtf8(text, std::get<char16_t>(slot_));
      return text;
    }
    case Kind::Byte:
      return Integer::toString(std::get<std::int8_t>(slot_));
    case Kind::Short:
      return Integer::toString(std::get<std::int16_t>(slot_));
    case Kind::Int:
      return Integer::toString(std::get<std::int32_t>(slot_));
    case Kind::Long:
      return Long::toString(std::get<std::int64_t>(slot_));
    case Kind::Float:
      return Float::toString(std::get<float>(slot_));
    case Kind::Double:
      return Double::toString(std::get<double>(slot_));
    case Kind::Decimal:
      return std::get<plat::math::Decimal>(slot_).toString();
    case Kind::String:
      return std::get<std::string>(slot_);
    case Kind::Bytes: {
      char hex[16];
      std::snprintf(hex, sizeof hex, "%x", static_cast<unsigned>(hashCode()));
      return std::string("[B@") + hex;
    }
    case Kind::Date:
      return std::get<plat::time::Date>(slot_).toString();
    case Kind::Time:
      return std::get<plat::time::Time>(slot_).toString();
    case Kind::Timestamp:
      return std::get<plat::time::Timestamp>(slot_).toString();
    case Kind::DateTime:
      return std::get<plat::time::DateTime>(slot_).toString();
    case Kind::Stream:
      return std::get<Ref<plat::io::InputStream>>(slot_)->toString();
    case Kind::Object:
      return std::get<Ref<Object>>(slot_)->toString();
  }
  return "null";
}

bool Value::equals(const Value& other) const {
  if (kind() != other.kind()) return false;
  switch (kind()) {
    case Kind::Null:
      return true;
    case Kind::Float:
      return Float::floatToIntBits(getFloat()) == Float::floatToIntBits(other.getFloat());
    case Kind::Double:
      return Double::doubleToLongBits(getDouble()) == Double::doubleToLongBits(other.getDouble());
    case Kind::Decimal:
      return getDecimal().equals(other.getDecimal());
    case Kind::Bytes:
      return std::get<std::shared_ptr<const Bytes>>(slot_) == std::get<std::shared_ptr<const Bytes>>(other.slot_);
    case Kind::Stream:
    case Kind::Object:
      return getObject()->equals(*other.getObject());
    default:
      return slot_ == other.slot_;
  }
}

int Value::hashCode() const {
  switch (kind()) {
    case Kind::Null:
      return 0;
    case Kind::Boolean:
      return getBoolean() ? 1231 : 1237;
    case Kind::Char:
      return getChar();
    case Kind::Byte:
      return getByte();
    case Kind::Short:
      return getShort();
    case Kind::Int:
      return getInt();
    case Kind::Long: {
      auto bits = static_cast<std::uint64_t>(getLong());
      return static_cast<std::int32_t>(bits ^ (bits >> 32));
    }
    case Kind::Float:
      return Float::floatToIntBits(getFloat());
    case Kind::Double: {
      auto bits = static_cast<std::uint64_t>(Double::doubleToLongBits(getDouble()));
      return static_cast<std::int32_t>(bits ^ (bits >> 32));
    }
    case Kind::Decimal:
      return getDecimal().hashCode();
    case Kind::String:
      return stringHash(getString());
    case Kind::Bytes:
      return identityHash(std::get<std::shared_ptr<const Bytes>>(slot_).get());
    case Kind::Date:
      return getDate().hashCode();
    case Kind::Time:
      return getTime().hashCode();
    case Kind::Timestamp:
      return getTimestamp().hashCode();
    case Kind::DateTime:
      return getDateTime().hashCode();
    case Kind::Stream:
    case Kind::Object:
      return getObject()->hashCode();
  }
  return 0;
}

std::string Value::getClassName() const {
  if (kind() == Kind::Stream || kind() == Kind::Object) return getObject()->getClassName();
  return kindClassName(kind());
}

}  // namespace plat::lang
