// Constants of the validations kept for rule authors.
#pragma once

namespace quenlora::zafoli::db::beans::brl::validation {

class ValidationConstants {
 public:
  ValidationConstants() = delete;

  static constexpr const char* NULLCONSTANT = "null";
};

}  // namespace quenlora::zafoli::db::beans::brl::validation
