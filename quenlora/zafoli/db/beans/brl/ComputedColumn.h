// The common face of every rule: the formula template shown to the user. Rules are created by name through the
// class registry with their no-argument factory; a rule object is used by one thread at a time.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::brl {

class ComputedColumn {
 public:
  static constexpr const char* kInterfaceName = "quenlora.zafoli.db.beans.brl.ComputedColumn";

  virtual ~ComputedColumn() = default;
  // The rule's localized formula template, such as "add( ?,?,?,... )".
  virtual std::string getDisplayString() const = 0;
};

}  // namespace quenlora::zafoli::db::beans::brl
