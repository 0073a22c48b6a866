// The join conditions of a detail navigator, in order of adding, with the lookups the navigator needs: by detail
// column number, and setting the master's value on every record of one master column. Serialised on the list.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"
#include "quenlora/zafoli/db/beans/jdbc/JoinRecord.h"

namespace quenlora::zafoli::db::beans::jdbc {

class JoinRecordList : public binding::Synchronizable::JoinRecordList {
 public:
  static constexpr const char* kNoMetadata = " without Metadata. Suggestion: The column name is invalid";

  void addJoinRecord(const plat::lang::Ref<JoinRecord>& record);
  plat::lang::Ref<plat::util::Enumeration<plat::lang::Ref<binding::Synchronizable::JoinRecord>>> getJoinRecords()
      override;
  std::vector<plat::lang::Ref<JoinRecord>> records() const;
  bool isEmpty() const;
  // The first record with that detail column number, or null.
  plat::lang::Ref<JoinRecord> getJoinRecord(int detailColumnNumber) const;
  void setMasterCurrentValue(const plat::lang::Value& value, int masterColumnNumber);
  void setMasterCurrentValue(const plat::lang::Value& value, const std::string& masterColumnName);
  // Resolves both column numbers by name and takes the master row's original value of the master column.
  // IllegalArgumentException "Attempting join:<column> without Metadata. ..." for an unknown master column, and
  // with two blanks before "without" for an unknown detail column.
  void setMasterAndDetailData(binding::PersistentObject& master, binding::PersistentObject& detail);
  // Each record's text, joined by "; ".
  std::string toStringUI() const;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.jdbc.QueryNavigator$JoinRecordList"; }

 private:
  mutable std::mutex mutex_;
  std::vector<plat::lang::Ref<JoinRecord>> records_;  // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::jdbc
