// A query navigator over MemoryRecord rows, standing in for the JDBC navigator: its query is the query-by-example
// row's querySimilarObjects with the named filter, the sort order and the joins to its master's current record;
// a new query starts with an unknown size (newSet), moves to its first record and refreshes the all-rows views; an
// inserted record takes the master's join values. It does not filter by the query-by-example entries (it only validates
// them). Thread contract as QueryNavigator; the master is a back reference that must outlive the navigator's queries.
#pragma once

#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"

namespace testkit::beans {

class MemoryQueryNavigator : public quenlora::zafoli::db::beans::binding::QueryNavigator {
 public:
  // detail column = master column of the master's current record.
  struct Join {
    std::string detailColumn;
    std::string masterColumn;
  };

  void setJoins(std::vector<Join> joins);
  void setWhere(const std::string& filterName);
  void setSortOrder(std::vector<std::string> sortOrder);

  // Runs the query restricted by master's current record (null: no restriction) and moves to the first record.
  void executeQuery(quenlora::zafoli::db::beans::binding::Synchronizable* master) override;
  // Validates the query-by-example row, then runs the query under the last master.
  void executeQueryByExample() override;

 protected:
  void insertIntern() override;

 private:
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::Synchronizable::JoinRecordList> joinList();
  void run();

  std::mutex mutex_;
  std::vector<Join> joins_;                                                 // guarded by mutex_
  std::string where_;                                                       // guarded by mutex_
  std::vector<std::string> sortOrder_;                                      // guarded by mutex_
  quenlora::zafoli::db::beans::binding::Synchronizable* master_ = nullptr;  // guarded by mutex_; back reference
};

}  // namespace testkit::beans
