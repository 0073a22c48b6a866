// One entry of a rule row: an input (constant or bound column) or a comparison operator. Members are shared by the
// adapter that fills them and the rule row that reads them; one thread at a time.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::brl {

class CompColMember {
 public:
  virtual ~CompColMember() = default;
  // The member's current value.
  virtual plat::lang::Value getValue() const = 0;
  // The member's identifying text; empty when it has none (a constant holding null).
  virtual std::optional<std::string> toString() const = 0;
};

// An input member: its status moves from UNINITIALIZED to INITIALIZED on its first value and to MODIFIED after.
class CompColInputMember : public CompColMember {
 public:
  static constexpr int UNINITIALIZED = 0;
  static constexpr int INITIALIZED = 1;
  static constexpr int MODIFIED = 2;

  virtual int getStatus() const = 0;
  virtual int getDataType() const = 0;
  virtual void setDataType(int dataType) = 0;
  virtual int getMemberIndex() const = 0;
  virtual void setMemberIndex(int memberIndex) = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
