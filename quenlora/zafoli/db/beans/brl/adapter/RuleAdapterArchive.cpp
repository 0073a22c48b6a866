#include "quenlora/zafoli/db/beans/brl/adapter/RuleAdapterArchive.h"

#include "platform/lang/Exceptions.h"
#include "platform/serial/ObjectInput.h"
#include "platform/serial/ObjectOutput.h"
#include "platform/serial/ObjectStreamException.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBoundColMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"
#include "quenlora/zafoli/db/beans/util/SavedValue.h"

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
      util::writeSavedValue(out, constant->getValue(), "constant");
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
      members.push_back(std::make_shared<ConstantMember>(util::readSavedValue(in, "constant", RuleAdapterArchive::kMaxTextBytes), dataType, memberIndex));
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
