// The display names of the initial record position of a view and their integer values (the texts stored in requests).
// Stateless; any thread.
#pragma once

#include <string>

#include "quenlora/zafoli/db/pro/NamedValues.h"

namespace quenlora::zafoli::db::pro {

class InitialRecordPosition {
 public:
  InitialRecordPosition() = delete;

  static int getIntValue(const std::string& name) { return kNames.valueOf(name); }
  static std::string getStringValue(int value) { return kNames.nameOf(value); }
  static std::string getDefaultAsString() { return "None"; }
  static int getDefaultAsInt() { return 3; }
  static bool isFirst(const std::string& name) { return name == "First"; }
  static bool isNew(const std::string& name) { return name == "New"; }

 private:
  static constexpr NamedValues<3> kNames{{{{"First", 1}, {"New", 2}, {"None", 3}}}, 3, "None"};
};

}  // namespace quenlora::zafoli::db::pro
