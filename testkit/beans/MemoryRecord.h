// A record held in memory for tests, benchmarks and fuzzing of the data-binding library: an original and a modified
// value per column, the record states and the operation its save would do. A record of a MemoryTable has the
// table's typed model, converts values to the column types, queries the table (joins, a named filter, sort
// order; rows are turned into records only as they are read), and saves through its MemoryConnection (or straight
// into the table without one). A record without table keeps the plain behaviour: columns C0, C1, ... and a save
// that only counts. Not thread-safe; a record is used by one thread at a time.
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
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryTable.h"

namespace plat::runvale {
class ClassRegistry;
}

namespace testkit::beans {

class MemoryRecord : public plat::lang::Object, public quenlora::zafoli::db::beans::binding::PersistentObject {
 public:
  using PersistentObject = quenlora::zafoli::db::beans::binding::PersistentObject;

  // Columns named C0, C1, ...
  explicit MemoryRecord(int columns);
  MemoryRecord(std::string table, std::vector<std::string> columns);
  // A record of table, writing through connection (may be null: writes go straight into the table).
  MemoryRecord(plat::lang::Ref<MemoryTable> table, plat::lang::Ref<MemoryConnection> connection);

  // Registers className with a factory of records of table (the navigator makes its records by class name).
  static void registerClass(plat::runvale::ClassRegistry& registry, const std::string& className,
                            plat::lang::Ref<MemoryTable> table, plat::lang::Ref<MemoryConnection> connection);

  // Sets both values of a column, as a fetch does; marks nothing.
  void load(int column, const plat::lang::Value& value);
  // The next save() throws a copy of failure (once).
  void failNextSave(std::shared_ptr<const plat::lang::Throwable> failure) { nextSaveFailure_ = std::move(failure); }
  int getSaveCount() const { return saveCount_; }
  // What querySimilarObjects() hands out for a record without table.
  void setSimilarObjects(std::vector<plat::lang::Ref<PersistentObject>> records) { similar_ = std::move(records); }
  bool isClosed() const { return closed_; }
  // The clause the last checkQBEValues() made.
  const std::string& getQBEWhere() const { return qbeWhere_; }

  // Translates the query-by-example entries (QBExlator::xlatForm); throws what the translator throws.
  void checkQBEValues() override;
  void close() override { closed_ = true; }
  int getColumnIndex(const std::string& name) override;
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::Connection> getConnection() override { return connection_; }
  plat::lang::Value getDBObject(const plat::lang::Value& value, int column) override;
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::PersistentObjectModel> getDataModel() override {
    return table_;
  }
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
  // Appends "COLUMN:jdbcType:cell" for every entry, as xlatForm reads them.
  void getQBEObjectValues(std::vector<std::string>& entries) override;
  std::string getStatement() override { return statement_; }
  plat::lang::Value getValueAsObject(int column, int which) override;
  std::string getValueAsString(int column, int which) override;
  void initDataStorage() override;
  // A query-by-example row is dirty while it holds an entry.
  bool isDirty() override;

  plat::lang::Ref<RecordEnumeration> querySimilarObjects() override;
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where,
                                                         const std::vector<std::string>& sortOrder) override;
  // where names a filter registered on the table ("" for none); joins compare detail columns with "="; each sort
  // entry is a column name, optionally followed by " DESC".
  plat::lang::Ref<RecordEnumeration> querySimilarObjects(
      const std::string& where,
      const plat::lang::Ref<quenlora::zafoli::db::beans::binding::Synchronizable::JoinRecordList>& joins,
      const std::vector<std::string>& sortOrder) override;

  void resetState() override;
  int save() override;
  void setSQLAdapter(const plat::lang::Ref<plat::lang::Object>& adapter) override { adapter_ = adapter; }
  void setValueAsInteger(int column, std::optional<int> value) override;
  // Converts to the column's type; text that is no number for a numeric column throws NumberFormatException.
  void setValueAsObject(int column, const plat::lang::Value& value) override;
  void setValueAsString(int column, const std::string& value) override;
  void setValueAsQBE(int column, const plat::lang::Value& value, bool flag) override;
  std::map<std::string, plat::lang::Value> toHashtable() override;
  void undoChanges() override;
  void undoColumnChanges(int column) override;

  std::string getClassName() const override { return "testkit.beans.MemoryRecord"; }

 private:
  // Throws ArrayIndexOutOfBoundsException for a column the record does not have.
  std::size_t checked(int column) const;
  plat::lang::Value converted(std::size_t column, const plat::lang::Value& value) const;
  std::string statementFor(int operation) const;

  plat::lang::Ref<MemoryTable> table_;            // null for a record without table
  plat::lang::Ref<MemoryConnection> connection_;  // may be null
  std::string tableName_;
  std::vector<std::string> names_;
  std::vector<plat::lang::Value> original_;
  std::vector<plat::lang::Value> modified_values_;
  std::vector<plat::lang::Value> qbe_values_;
  std::set<int> changed_;  // columns set since the last commit
  bool deleted_ = false, misplaced_ = false, modified_ = false, new_ = false, qbe_ = false, closed_ = false;
  int saveCount_ = 0;
  std::string statement_;
  std::string qbeWhere_;
  std::shared_ptr<const plat::lang::Throwable> nextSaveFailure_;
  std::vector<plat::lang::Ref<PersistentObject>> similar_;
  plat::lang::Ref<plat::lang::Object> adapter_;
};

}  // namespace testkit::beans
