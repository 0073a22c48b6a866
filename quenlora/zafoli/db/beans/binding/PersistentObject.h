// One record that knows how to read, write and query itself: two values per column (as fetched and as edited),
// its record states, the SQL work its save will do, and the query whose rows a navigator caches. Columns are
// 0-based. Implementations say their own thread contract.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/util/Enumeration.h"
#include "quenlora/zafoli/db/beans/binding/Connection.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectModel.h"
#include "quenlora/zafoli/db/beans/binding/Synchronizable.h"

namespace quenlora::zafoli::db::beans::binding {

class PersistentObject {
 public:
  // Which of a column's two values: as fetched or last committed, or as edited.
  static constexpr int ORIGINAL_VALUE = 0;
  static constexpr int MODIFIED_VALUE = 1;

  // What a save of the record will write.
  static constexpr int NOTHING_OPERATION = 13;  // unchanged, or inserted and deleted again
  static constexpr int INSERTED_OPERATION = 14;
  static constexpr int MODIFIED_OPERATION = 15;
  static constexpr int DELETED_OPERATION = 16;

  // The base of the row classes' state errors; carries no message of its own, a subclass may give one.
  class RecordException : public plat::lang::RuntimeException {
   public:
    RecordException() = default;
    explicit RecordException(std::string message) : RuntimeException(std::move(message)) {}
    PLAT_THROWABLE_MEMBERS(RecordException, "quenlora.zafoli.db.beans.binding.PersistentObject$RecordException")
  };

  using RecordEnumeration = plat::util::Enumeration<plat::lang::Ref<PersistentObject>>;

  PersistentObject() = default;
  PersistentObject(const PersistentObject&) = delete;
  PersistentObject& operator=(const PersistentObject&) = delete;
  virtual ~PersistentObject() = default;

  // Validates the query-by-example input held in the record; throws the translator's exception when it cannot be
  // translated.
  virtual void checkQBEValues() = 0;
  // Releases what the record holds.
  virtual void close() = 0;
  virtual int getColumnIndex(const std::string& name) = 0;
  virtual plat::lang::Ref<Connection> getConnection() = 0;
  // value converted to what the database column takes.
  virtual plat::lang::Value getDBObject(const plat::lang::Value& value, int column) = 0;
  virtual plat::lang::Ref<PersistentObjectModel> getDataModel() = 0;
  // The table name, "@" and the column names joined by separator.
  virtual std::string getDataName(const std::string& separator) = 0;

  virtual bool getMarkedAsDeleted() = 0;
  // The misplaced state, set through setMarkedAsDisplaced(): an edit moved the record out of its query's set.
  virtual bool getMarkedAsMisplaced() = 0;
  virtual bool getMarkedAsModified() = 0;
  virtual bool getMarkedAsNew() = 0;
  // The query-by-example row of a navigator, never saved as data.
  virtual bool getMarkedAsQBE() = 0;
  virtual void setMarkedAsDeleted(bool deleted) = 0;
  virtual void setMarkedAsDisplaced(bool misplaced) = 0;
  virtual void setMarkedAsModified(bool modified) = 0;
  virtual void setMarkedAsNew(bool isNew) = 0;
  virtual void setMarkedAsQBE(bool qbe) = 0;

  // The columns changed since the last commit.
  virtual std::vector<int> getModifiedColumns() = 0;
  // One of the operation codes above.
  virtual int getOperation() = 0;
  virtual bool isOperationNothing() = 0;
  // Appends the record's query-by-example entries, each "COLUMN:jdbcType:cell" as QBExlator::xlatForm reads them.
  virtual void getQBEObjectValues(std::vector<std::string>& entries) = 0;
  // The SQL text of the record's last write.
  virtual std::string getStatement() = 0;
  // which is ORIGINAL_VALUE or MODIFIED_VALUE.
  virtual plat::lang::Value getValueAsObject(int column, int which) = 0;
  virtual std::string getValueAsString(int column, int which) = 0;
  // Prepares an empty record; called on every record a navigator creates.
  virtual void initDataStorage() = 0;
  virtual bool isDirty() = 0;

  // The records of the same class that the query returns.
  virtual plat::lang::Ref<RecordEnumeration> querySimilarObjects() = 0;
  virtual plat::lang::Ref<RecordEnumeration> querySimilarObjects(const std::string& where,
                                                                 const std::vector<std::string>& sortOrder) = 0;
  virtual plat::lang::Ref<RecordEnumeration> querySimilarObjects(
      const std::string& where, const plat::lang::Ref<Synchronizable::JoinRecordList>& joins,
      const std::vector<std::string>& sortOrder) = 0;

  // The modified values become the original values and the state flags are cleared.
  virtual void resetState() = 0;
  // Writes the record according to its operation; the rows affected.
  virtual int save() = 0;
  // Attaches a statement adapter.
  virtual void setSQLAdapter(const plat::lang::Ref<plat::lang::Object>& adapter) = 0;
  virtual void setValueAsInteger(int column, std::optional<int> value) = 0;
  virtual void setValueAsObject(int column, const plat::lang::Value& value) = 0;
  virtual void setValueAsString(int column, const std::string& value) = 0;
  // Sets a query-by-example entry (the navigator passes false for the flag).
  virtual void setValueAsQBE(int column, const plat::lang::Value& value, bool flag) = 0;
  // Column name to value.
  virtual std::map<std::string, plat::lang::Value> toHashtable() = 0;
  // Restores the original value of every column / of one column.
  virtual void undoChanges() = 0;
  virtual void undoColumnChanges(int column) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
