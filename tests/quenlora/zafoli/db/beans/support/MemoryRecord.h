// A record held in memory for tests of the data-binding library: named columns with an original and a modified
// value each, the record states, the operation its save would perform, and a save that counts writes and can be
// made to fail. Not thread-safe; a test uses it from one thread.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Throwable.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"

namespace quenlora::zafoli::db::beans::support {

class MemoryRecord : public plat::lang::Object, public binding::PersistentObject {
 public:
  // Columns named C0, C1, ...
  explicit MemoryRecord(int columns);
  MemoryRecord(std::string table, std::vector<std::string> columns);

  // Sets both values of a column, as a fetch does; marks nothing.
  void load(int column, const plat::lang::Value& value);
  // The next save() throws a copy of failure (once).
  void failNextSave(std::shared_ptr<const plat::lang::Throwable> failure) { nextSaveFailure_ = std::move(failure); }
  int getSaveCount() const { return saveCount_; }
  // What querySimilarObjects() hands out.
  void setSimilarObjects(std::vector<plat::lang::Ref<binding::PersistentObject>> records) {
    similar_ = std::move(records);
  }
  bool isClosed() const { return closed_; }

  void checkQBEValues() override {}
  void close() override { closed_ = true; }
  int getColumnIndex(const std::string& name) override;
  plat::lang::Ref<binding::Connection> getConnection() override { return nullptr; }
  plat::lang::Value getDBObject(const plat::lang::Value& value, int) override { return value; }
  plat::lang::Ref<binding::PersistentObjectModel> getDataModel() override { return nullptr; }
  std::string getDataName(const std::string& separator) override;

  bool getMarkedAsDeleted() override { return deleted_; }
  bool getMarkedAsMisplaced() override { return misplaced_; }
  bool getMarkedAsModified() override { return modified_; }
  bool getMarkedAsNew() override { return new_; }
  bool getMarkedAsQBE() override { return qbe_; }
  void setMarkedAsDeleted(bool deleted) override { deleted_ = deleted; }
  void setMarkedAsDisplaced(bool misplaced) override { misplaced_ = misplaced; }
  void setMarkedAsModified(bool modified) override { modified_ = modified; }
  void setMarkedAsNew(bool isNew) override { new_ = isNew; }
  void setMarkedAsQBE(bool qbe) override { qbe_ = qbe; }

  std::vector<int> getModifiedColumns() override { return {changed_.begin(), changed_.end()}; }
  int getOperation() override;
  bool isOperationNothing() override { return getOperation() == NOTHING_OPERATION; }
  void getQBEObjectValues(std::vector<plat::lang::Value>& entries) override;
  std::string getStatement() override { return statement_; }
  plat::lang::Value getValueAsObject(int column, int which) override;
  std::string getValueAsString(int column, int which) override;
  void initDataStorage() override;
  bool isDirty() override { return getOperation() != NOTHING_OPERATION; }

  plat::lang::Ref<RecordEnumeration> querySimilarObjects() override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where,
                                                         const std::vector<std::string>& sortOrder) override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(
      const std::string& where, const plat::lang::Ref<binding::Synchronizable::JoinRecordList>& joins,
      const std::vector<std::string>& sortOrder) override;

  void resetState() override;
  int save() override;
  void setSQLAdapter(const plat::lang::Ref<plat::lang::Object>& adapter) override { adapter_ = adapter; }
  void setValueAsInteger(int column, std::optional<int> value) override;
  void setValueAsObject(int column, const plat::lang::Value& value) override;
  void setValueAsString(int column, const std::string& value) override;
  void setValueAsQBE(int column, const plat::lang::Value& value, bool flag) override;
  std::map<std::string, plat::lang::Value> toHashtable() override;
  void undoChanges() override;
  void undoColumnChanges(int column) override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.support.MemoryRecord"; }

 private:
  // Throws ArrayIndexOutOfBoundsException for a column the record does not have.
  std::size_t checked(int column) const;

  std::string table_;
  std::vector<std::string> names_;
  std::vector<plat::lang::Value> original_;
  std::vector<plat::lang::Value> modified_values_;
  std::vector<plat::lang::Value> qbe_values_;
  std::set<int> changed_;  // columns set since the last commit
  bool deleted_ = false, misplaced_ = false, modified_ = false, new_ = false, qbe_ = false, closed_ = false;
  int saveCount_ = 0;
  std::string statement_;
  std::shared_ptr<const plat::lang::Throwable> nextSaveFailure_;
  std::vector<plat::lang::Ref<binding::PersistentObject>> similar_;
  plat::lang::Ref<plat::lang::Object> adapter_;
};

}  // namespace quenlora::zafoli::db::beans::support
