// The display names of the optimistic-concurrency setting of a view and their integer values (the texts stored in
// requests). Stateless; any thread.
#pragma once

#include <string>

#include "quenlora/zafoli/db/pro/NamedValues.h"

namespace quenlora::zafoli::db::pro {

class OptimisticConcurrency {
 public:
  OptimisticConcurrency() = delete;

  static int getIntValue(const std::string& name) { return kNames.valueOf(name); }
  static std::string getStringValue(int value) { return kNames.nameOf(value); }
  static std::string getDefaultAsString() { return "Unique Modified"; }
  static int getDefaultAsInt() { return 1; }

 private:
  static constexpr NamedValues<3> kNames{{{{"Unique", 0}, {"Unique Modified", 1}, {"All", 2}}}, 1, "Unique Modified"};
};

}  // namespace quenlora::zafoli::db::pro
