// The display names of the cardinality of a detail view and their integer values (the texts stored in requests).
// Stateless; any thread.
#pragma once

#include <string>

#include "quenlora/zafoli/db/pro/NamedValues.h"

namespace quenlora::zafoli::db::pro {

class Cardinality {
 public:
  Cardinality() = delete;

  static int getIntValue(const std::string& name) { return kNames.valueOf(name); }
  static std::string getStringValue(int value) { return kNames.nameOf(value); }
  static std::string getDefaultAsString() { return "One To Many"; }
  static int getDefaultAsInt() { return 1; }

 private:
  static constexpr NamedValues<4> kNames{
      {{{"One To Many", 1}, {"One To One", 2}, {"Many To One", 3}, {"Many To Many", 4}}}, 1, "One To Many"};
};

}  // namespace quenlora::zafoli::db::pro
