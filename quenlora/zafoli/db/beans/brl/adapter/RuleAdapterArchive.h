// The saved form of what the rule adapters share: rule classes by name, input members (constants with their value,
// bound members with their binding name and source type; a member's status and cached value are not saved),
// operators and optional texts. Every text and list read is bounded, so a damaged archive is refused with
// StreamCorruptedException (InvalidObjectException for settings the adapters refuse) before anything is made.
// Static only; safe from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/brl/CompColMember.h"
#include "quenlora/zafoli/db/beans/brl/OperatorMember.h"

namespace plat::serial {
class ObjectInput;
class ObjectOutput;
}  // namespace plat::serial

namespace quenlora::zafoli::db::beans::brl::adapter {

class RuleAdapterArchive {
 public:
  // Limits of what saved rule settings may hold.
  static constexpr std::uint32_t kMaxVersionBytes = 64;
  static constexpr std::uint32_t kMaxTextBytes = 4096;
  static constexpr std::uint32_t kMaxClassNameBytes = 256;
  static constexpr std::int32_t kMaxMembers = 10000;

  using InputRef = std::shared_ptr<CompColInputMember>;
  using OperatorRef = std::shared_ptr<OperatorMember>;

  // Reads the version text and refuses any other than version (InvalidObjectException).
  static void readVersion(plat::serial::ObjectInput& in, const char* version);

  static void writeOptionalText(plat::serial::ObjectOutput& out, const std::optional<std::string>& text);
  static std::optional<std::string> readOptionalText(plat::serial::ObjectInput& in, std::uint32_t maxBytes);

  // The class's name, or the empty text for none.
  static void writeRuleClass(plat::serial::ObjectOutput& out, const std::optional<plat::runvale::ClassInfo>& rule);
  // The class of the name when registered in this process; none for the empty text; InvalidObjectException for a
  // name nobody registered (a saved name never loads a module).
  static std::optional<plat::runvale::ClassInfo> readRuleClass(plat::serial::ObjectInput& in);

  // InvalidObjectException for a member of a kind that cannot be saved or a constant of a class without exact text.
  static void writeMembers(plat::serial::ObjectOutput& out, const std::vector<InputRef>& members);
  static std::vector<InputRef> readMembers(plat::serial::ObjectInput& in);
  static void writeOperators(plat::serial::ObjectOutput& out, const std::vector<OperatorRef>& operators);
  static std::vector<OperatorRef> readOperators(plat::serial::ObjectInput& in);

 private:
  static std::int32_t readCount(plat::serial::ObjectInput& in);
};

}  // namespace quenlora::zafoli::db::beans::brl::adapter
