// One connection property a driver asks for, as Driver::getPropertyInfo() describes it. A plain value.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plat::sql {

struct DriverPropertyInfo {
  std::string name;
  std::optional<std::string> value;        // none when the driver proposes no value
  std::optional<std::string> description;  // none when the driver gives no description
  bool required = false;
  std::vector<std::string> choices;  // the permitted values, when the property has a fixed set
};

}  // namespace plat::sql
