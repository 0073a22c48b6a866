#include "quenlora/zafoli/db/beans/util/SavedValue.h"

#include "platform/lang/Double.h"
#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/math/Decimal.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "platform/time/Date.h"
#include "platform/time/Time.h"
#include "platform/time/Timestamp.h"

namespace quenlora::zafoli::db::beans::util {

namespace {

using plat::lang::Value;
using plat::serial::StreamCorruptedException;

bool hasExactText(Value::Kind kind) {
  using Kind = Value::Kind;
  switch (kind) {
    case Kind::Null:
    case Kind::Boolean:
    case Kind::Byte:
    case Kind::Short:
    case Kind::Int:
    case Kind::Long:
    case Kind::Float:
    case Kind::Double:
    case Kind::Decimal:
    case Kind::String:
    case Kind::Date:
    case Kind::Time:
    case Kind::Timestamp:
      return true;
    default:
      return false;
  }
}

std::string textOf(const Value& value) {
  return value.isNull() ? std::string() : value.toString();
}

// Only called with a kind that hasExactText accepts.
Value parse(Value::Kind kind, const std::string& text) {
  using Kind = Value::Kind;
  switch (kind) {
    case Kind::Boolean:
      return Value(text == "true");
    case Kind::Byte:
      return Value::ofByte(static_cast<std::int8_t>(plat::lang::Integer::parseInt(text)));
    case Kind::Short:
      return Value::ofShort(static_cast<std::int16_t>(plat::lang::Integer::parseInt(text)));
    case Kind::Int:
      return Value(plat::lang::Integer::parseInt(text));
    case Kind::Long:
      return Value::ofLong(plat::lang::Long::parseLong(text));
    case Kind::Float:
      return Value(plat::lang::Float::parseFloat(text));
    case Kind::Double:
      return Value(plat::lang::Double::parseDouble(text));
    case Kind::Decimal:
      return Value(plat::math::Decimal::parse(text));
    case Kind::String:
      return Value(text);
    case Kind::Date:
      return Value(plat::time::Date::valueOf(text));
    case Kind::Time:
      return Value(plat::time::Time::valueOf(text));
    case Kind::Timestamp:
      return Value(plat::time::Timestamp::valueOf(text));
    default:
      return Value();
  }
}

}  // namespace

void writeSavedValue(plat::serial::ObjectOutput& out, const Value& value, const std::string& what) {
  if (!hasExactText(value.kind())) {
    throw plat::serial::InvalidObjectException("A " + what + " of class " + value.getClassName() + " cannot be saved");
  }
  out.writeInt(static_cast<std::int32_t>(value.kind()));
  out.writeUTF(textOf(value));
}

Value readSavedValue(plat::serial::ObjectInput& in, const std::string& what, std::uint32_t maxTextBytes) {
  const std::int32_t kind = in.readInt();
  const std::string text = in.readUTF(maxTextBytes);
  if (kind < 0 || !hasExactText(static_cast<Value::Kind>(kind))) {
    throw StreamCorruptedException("Saved " + what + " has an unknown kind");
  }
  Value value;
  try {
    value = parse(static_cast<Value::Kind>(kind), text);
  } catch (const plat::lang::RuntimeException& e) {
    throw StreamCorruptedException("Saved " + what + " is damaged: " + e.getMessage());
  }
  if (textOf(value) != text) throw StreamCorruptedException("Saved " + what + " is damaged: " + text);
  return value;
}

}  // namespace quenlora::zafoli::db::beans::util
