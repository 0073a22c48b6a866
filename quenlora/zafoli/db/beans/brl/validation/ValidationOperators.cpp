#include "quenlora/zafoli/db/beans/brl/validation/ValidationOperators.h"

#include <unordered_map>

#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::brl::validation {

namespace {

using Table = std::unordered_map<std::string, int>;

const Table& numberTable() {
  static const Table table = {{">", ValidationOperators::NUMBER_GREATER_OP},
                              {"<", ValidationOperators::NUMBER_LESSER_OP},
                              {"==", ValidationOperators::NUMBER_EQUALITY_OP},
                              {">=", ValidationOperators::NUMBER_GREATER_OR_EQUALTO_OP},
                              {"<=", ValidationOperators::NUMBER_LESSER_OR_EQUALTO_OP},
                              {"!=", ValidationOperators::NUMBER_NOT_EQUAL_TO}};
  return table;
}

const Table& stringTable() {
  static const Table table = {{"equals", ValidationOperators::STRING_EQUALS_OP},
                              {"contains", ValidationOperators::STRING_CONTAINS_OP}};
  return table;
}

const Table& dateTable() {
  static const Table table = {{"equals", ValidationOperators::DATE_EQUALS_OP},
                              {"after", ValidationOperators::DATE_AFTER_OP},
                              {"before", ValidationOperators::DATE_BEFORE_OP}};
  return table;
}

int keyIn(const Table& table, const std::string& op) {
  const auto it = table.find(op);
  if (it == table.end()) throw plat::lang::IllegalArgumentException("Unknown operator: " + op);
  return it->second;
}

std::vector<std::string> keysOf(const Table& table) {
  std::vector<std::string> keys;
  keys.reserve(table.size());
  for (const auto& [key, code] : table) keys.push_back(key);
  return keys;
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

int ValidationOperators::getKeyForNumberOperator(const std::string& op) {
  return keyIn(numberTable(), op);
}

int ValidationOperators::getKeyForStringOperator(const std::string& op) {
  return keyIn(stringTable(), op);
}

int ValidationOperators::getKeyForDateOperator(const std::string& op) {
  return keyIn(dateTable(), op);
}

std::vector<std::string> ValidationOperators::getOpersListForNumber() {
  return keysOf(numberTable());
}

std::vector<std::string> ValidationOperators::getOpersListForString() {
  return keysOf(stringTable());
}

std::vector<std::string> ValidationOperators::getOpersListForDate() {
  return keysOf(dateTable());
}

int ValidationOperators::getOperatorType(const std::string& className) {
  if (endsWith(className, "StringValidation")) return STRING_VALIDATION;
  if (endsWith(className, "NumberValidation")) return NUMBER_VALIDATION;
  if (endsWith(className, "DateValidation")) return DATE_VALIDATION;
  return UNKNOWN_VALIDATION;
}

}  // namespace quenlora::zafoli::db::beans::brl::validation
