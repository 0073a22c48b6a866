// One join condition between a detail navigator and its master: detail column, operator and master column (the
// text «DEPT_ID = ID»), the two column numbers once resolved against the rows, and the master's current value.
// Setters are serialised on the record; the getters read a consistent value under the same lock.
#pragma once

#include <mutex>
#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JoinRecord : public binding::Synchronizable::JoinRecord {
 public:
  static constexpr int NEW_RECORD_SIZE = 5;
  static constexpr int DETAIL_LINK_VALUE_POSITION = 3;
  static constexpr int MASTER_LINK_VALUE_POSITION = 4;
  static constexpr const char* EQUAL_OPERATOR = "=";
  static constexpr const char* NON_EQUAL_OPERATOR = "!=";
  static constexpr const char* LESS_OPERATOR = "<";
  static constexpr const char* GREATER_OPERATOR = ">";
  static constexpr const char* LESS_OR_EQUAL_OPERATOR = "<=";
  static constexpr const char* GREATER_OR_EQUAL_OPERATOR = ">=";
  static constexpr const char* JOIN_SYNTAX_FAILURE = "Syntax failure in the join clause";

  JoinRecord(std::string detailColumn, std::string op, std::string masterColumn);
  // Three blank-separated words; IllegalArgumentException "Syntax failure in the join clause" otherwise.
  static plat::lang::Ref<JoinRecord> parse(const std::string& text);

  std::string getDetailColumnName() override { return detail_; }
  std::string getOperator() override { return operator_; }
  std::string getMasterColumnName() const { return master_; }
  int getDetailColumnNumber() override;
  int getMasterColumnNumber();
  void setDetailColumnNumber(int number);
  void setMasterColumnNumber(int number);
  plat::lang::Value getMasterCurrentValue() override;
  void setMasterCurrentValue(const plat::lang::Value& value);
  // Whether a detail value no longer satisfies the join: for "=" a value other than the master's, for "!=" the
  // master's value; other operators never displace. Values compare as the rows compare them: both none, or equal
  // text forms.
  bool isDisplaced(const plat::lang::Value& value);
  // The three parts joined by blanks.
  std::string toStringUI() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.QueryNavigator$JoinRecord"; }

 private:
  const std::string detail_;
  const std::string operator_;
  const std::string master_;
  std::mutex mutex_;
  int detailNumber_ = -1;          // guarded by mutex_
  int masterNumber_ = -1;          // guarded by mutex_
  plat::lang::Value masterValue_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::jdbc
