#include "quenlora/zafoli/db/beans/jdbc/JoinRecord.h"

#include <sstream>
#include <vector>

#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Value;

JoinRecord::JoinRecord(std::string detailColumn, std::string op, std::string masterColumn)
    : detail_(std::move(detailColumn)), operator_(std::move(op)), master_(std::move(masterColumn)) {}

plat::lang::Ref<JoinRecord> JoinRecord::parse(const std::string& text) {
  std::istringstream words(text);
  std::vector<std::string> parts;
  for (std::string word; words >> word;) parts.push_back(word);
  if (parts.size() != 3) throw plat::lang::IllegalArgumentException(JOIN_SYNTAX_FAILURE);
  return plat::lang::makeRef<JoinRecord>(parts[0], parts[1], parts[2]);
}

int JoinRecord::getDetailColumnNumber() {
  std::lock_guard lock(mutex_);
  return detailNumber_;
}

int JoinRecord::getMasterColumnNumber() {
  std::lock_guard lock(mutex_);
  return masterNumber_;
}

void JoinRecord::setDetailColumnNumber(int number) {
  std::lock_guard lock(mutex_);
  detailNumber_ = number;
}

void JoinRecord::setMasterColumnNumber(int number) {
  std::lock_guard lock(mutex_);
  masterNumber_ = number;
}

Value JoinRecord::getMasterCurrentValue() {
  std::lock_guard lock(mutex_);
  return masterValue_;
}

void JoinRecord::setMasterCurrentValue(const Value& value) {
  std::lock_guard lock(mutex_);
  masterValue_ = value;
}

bool JoinRecord::isDisplaced(const Value& value) {
  const Value master = getMasterCurrentValue();
  bool same;
  try {
    same =
        value.isNull() || master.isNull() ? value.isNull() && master.isNull() : value.toString() == master.toString();
  } catch (const plat::lang::Exception&) {
    return false;
  }
  if (operator_ == EQUAL_OPERATOR) return !same;
  if (operator_ == NON_EQUAL_OPERATOR) return same;
  return false;
}

std::string JoinRecord::toStringUI() const {
  return detail_ + " " + operator_ + " " + master_;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
