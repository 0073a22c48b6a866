#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"

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
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBoundColMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"

namespace quenlora::zafoli::db::beans::brl::adapter {

using plat::lang::Value;
using plat::serial::InvalidObjectException;
using plat::serial::StreamCorruptedException;

namespace {

// The kinds of saved members.
constexpr std::int32_t kConstantMember = 0;
constexpr std::int32_t kBusItemMember = 1;
// Source types of a bound member: 0 a navigator column, 1 to 3 data items.
constexpr std::int32_t kLastSourceType = 3;

// The value kinds whose text gives them back exactly.
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

Value parseValue(Value::Kind kind, const std::string& text) {
  using Kind = Value::Kind;
  switch (kind) {
    case Kind::Null:
      return Value();
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
      throw StreamCorruptedException("Saved constant has an unknown kind");
  }
}

void writeValue(plat::serial::ObjectOutput& out, const Value& value) {
  if (!hasExactText(value.kind())) {
    throw InvalidObjectException("A constant of class " + value.getClassName() + " cannot be saved");
  }
  out.writeInt(static_cast<std::int32_t>(value.kind()));
  out.writeUTF(textOf(value));
}

Value readValue(plat::serial::ObjectInput& in) {
  const std::int32_t kind = in.readInt();
  const std::string text = in.readUTF(RuleAdapterArchive::kMaxTextBytes);
  if (kind < 0 || !hasExactText(static_cast<Value::Kind>(kind))) {
    throw StreamCorruptedException("Saved constant has an unknown kind");
  }
  Value value;
  try {
    value = parseValue(static_cast<Value::Kind>(kind), text);
  } catch (const plat::lang::RuntimeException& e) {
    throw StreamCorruptedException("Saved constant is damaged: " + e.getMessage());
  }
  // Only the text the value writes itself is its saved form: anything else was damaged on the way.
  if (textOf(value) != text) throw StreamCorruptedException("Saved constant is damaged: " + text);
  return value;
}

}  // namespace

void RuleAdapterArchive::readVersion(plat::serial::ObjectInput& in, const char* version) {
  const std::string saved = in.readUTF(kMaxVersionBytes);
  if (saved != version) throw InvalidObjectException("Saved rule adapter version " + saved + " is not " + version);
}

void RuleAdapterArchive::writeOptionalText(plat::serial::ObjectOutput& out, const std::optional<std::string>& text) {
  out.writeBoolean(text.has_value());
  out.writeUTF(text.value_or(std::string()));
}

std::optional<std::string> RuleAdapterArchive::readOptionalText(plat::serial::ObjectInput& in, std::uint32_t maxBytes) {
  const bool present = in.readBoolean();
  std::string text = in.readUTF(maxBytes);
  if (present) return text;
  if (!text.empty()) throw StreamCorruptedException("Saved absent text holds characters");
  return std::nullopt;
}

void RuleAdapterArchive::writeRuleClass(plat::serial::ObjectOutput& out,
                                        const std::optional<plat::runvale::ClassInfo>& rule) {
  out.writeUTF(rule ? rule->name : std::string());
}

std::optional<plat::runvale::ClassInfo> RuleAdapterArchive::readRuleClass(plat::serial::ObjectInput& in) {
  const std::string name = in.readUTF(kMaxClassNameBytes);
  if (name.empty()) return std::nullopt;
  auto& registry = plat::runvale::ClassRegistry::instance();
  if (!registry.isRegistered(name)) throw InvalidObjectException("Saved rule class " + name + " is not registered");
  return registry.forName(name);
}

std::int32_t RuleAdapterArchive::readCount(plat::serial::ObjectInput& in) {
  const std::int32_t count = in.readInt();
  if (count < 0 || count > kMaxMembers) throw StreamCorruptedException("Saved list size is damaged");
  return count;
}

void RuleAdapterArchive::writeMembers(plat::serial::ObjectOutput& out, const std::vector<InputRef>& members) {
  out.writeInt(static_cast<std::int32_t>(members.size()));
  for (const auto& member : members) {
    if (const auto* constant = dynamic_cast<const ConstantMember*>(member.get())) {
      out.writeInt(kConstantMember);
      out.writeInt(constant->getMemberIndex());
      out.writeInt(constant->getDataType());
      writeValue(out, constant->getValue());
    } else if (const auto* bound = dynamic_cast<const DataBusItemColMember*>(member.get())) {
      out.writeInt(kBusItemMember);
      out.writeInt(bound->getMemberIndex());
      out.writeInt(bound->getDataType());
      writeOptionalText(out, bound->getBindName());
      out.writeInt(bound->getSourceType());
    } else {
      throw InvalidObjectException("A rule input of this kind cannot be saved");
    }
  }
}

std::vector<RuleAdapterArchive::InputRef> RuleAdapterArchive::readMembers(plat::serial::ObjectInput& in) {
  std::vector<InputRef> members;
  for (std::int32_t n = readCount(in); n > 0; --n) {
    const std::int32_t kind = in.readInt();
    const std::int32_t memberIndex = in.readInt();
    const std::int32_t dataType = in.readInt();
    if (kind == kConstantMember) {
      members.push_back(std::make_shared<ConstantMember>(readValue(in), dataType, memberIndex));
    } else if (kind == kBusItemMember) {
      std::optional<std::string> bindName = readOptionalText(in, kMaxTextBytes);
      const std::int32_t sourceType = in.readInt();
      if (sourceType < DataBoundColMember::kNavigatorSource || sourceType > kLastSourceType) {
        throw InvalidObjectException("Saved rule input has an unknown source type " + std::to_string(sourceType));
      }
      members.push_back(std::make_shared<DataBusItemColMember>(std::move(bindName), dataType, sourceType, memberIndex));
    } else {
      throw StreamCorruptedException("Saved rule input has an unknown kind");
    }
  }
  return members;
}

void RuleAdapterArchive::writeOperators(plat::serial::ObjectOutput& out, const std::vector<OperatorRef>& operators) {
  out.writeInt(static_cast<std::int32_t>(operators.size()));
  for (const auto& op : operators) writeOptionalText(out, op ? op->toString() : std::nullopt);
}

std::vector<RuleAdapterArchive::OperatorRef> RuleAdapterArchive::readOperators(plat::serial::ObjectInput& in) {
  std::vector<OperatorRef> operators;
  for (std::int32_t n = readCount(in); n > 0; --n) {
    operators.push_back(std::make_shared<OperatorMember>(readOptionalText(in, kMaxTextBytes)));
  }
  return operators;
}

}  // namespace quenlora::zafoli::db::beans::brl::adapter
