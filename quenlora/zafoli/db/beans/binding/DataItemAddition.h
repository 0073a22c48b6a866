// What the library's own data items add to the bus's item contracts: a name and a status flag that tells new and
// modified items (and members) from unchanged ones until the change has been seen.
#pragma once

#include <string>

namespace quenlora::zafoli::db::beans::binding {

class DataItemAddition {
 public:
  static constexpr int EXISTING = 0;
  static constexpr int MODIFIED = 1;
  static constexpr int NEW = 2;

  virtual ~DataItemAddition() = default;
  // Back to EXISTING.
  virtual void cleanUp() = 0;
  virtual std::string getName() const = 0;
  virtual void setName(const std::string& name) = 0;
  virtual int getStatusFlag() const = 0;
  virtual void setStatusFlag(int status) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
