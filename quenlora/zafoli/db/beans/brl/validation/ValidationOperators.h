// The operator vocabulary of the built-in validations (number, string and date tables from the operator text to its
// code) and the kind of a validation class told from the end of its name. Static only; the tables are filled once
// and read from any thread.
#pragma once

#include <string>
#include <vector>

namespace quenlora::zafoli::db::beans::brl::validation {

class ValidationOperators {
 public:
  ValidationOperators() = delete;

  static constexpr int NUMBER_GREATER_OP = 1;
  static constexpr int NUMBER_LESSER_OP = 2;
  static constexpr int NUMBER_EQUALITY_OP = 3;
  static constexpr int NUMBER_GREATER_OR_EQUALTO_OP = 4;
  static constexpr int NUMBER_LESSER_OR_EQUALTO_OP = 5;
  static constexpr int NUMBER_NOT_EQUAL_TO = 6;
  static constexpr int STRING_EQUALS_OP = 1;
  static constexpr int STRING_CONTAINS_OP = 2;
  static constexpr int DATE_EQUALS_OP = 1;
  static constexpr int DATE_AFTER_OP = 2;
  static constexpr int DATE_BEFORE_OP = 3;

  static constexpr int UNKNOWN_VALIDATION = -1;
  static constexpr int STRING_VALIDATION = 0;
  static constexpr int NUMBER_VALIDATION = 1;
  static constexpr int DATE_VALIDATION = 2;

  // The code of an operator text; IllegalArgumentException for a text not in the table.
  static int getKeyForNumberOperator(const std::string& op);
  static int getKeyForStringOperator(const std::string& op);
  static int getKeyForDateOperator(const std::string& op);

  // The operator texts of a table, in the table's own order.
  static std::vector<std::string> getOpersListForNumber();
  static std::vector<std::string> getOpersListForString();
  static std::vector<std::string> getOpersListForDate();

  // The kind of a validation class by the end of its full name ("...NumberValidation" is 1); -1 for an empty name
  // or any other.
  static int getOperatorType(const std::string& className);
};

}  // namespace quenlora::zafoli::db::beans::brl::validation
