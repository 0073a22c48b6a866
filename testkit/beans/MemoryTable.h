// A table held in memory for tests, benchmarks and fuzzing of the data-binding library: typed columns, a key
// column, rows in insertion order, an optional index on the key, filters registered by name (what a where text
// names), and injected failures for the records that write into it. It is also the column model of its records.
// Thread-safe: every operation takes the table's lock.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/DefaultPersistentObjectMemberModel.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObjectModel.h"

namespace testkit::beans {

class MemoryTable : public plat::lang::Object, public quenlora::zafoli::db::beans::binding::PersistentObjectModel {
 public:
  using Row = std::vector<plat::lang::Value>;
  using Filter = std::function<bool(const Row&)>;

  struct Column {
    std::string name;
    int sqlType;  // a JDBC type code
  };

  // keyColumn indexes columns (any other value is refused with IllegalArgumentException); indexed keeps a map
  // from key text to row for the lookups of writes.
  MemoryTable(std::string name, std::vector<Column> columns, int keyColumn = 0, bool indexed = false);

  const std::string& getName() const { return name_; }
  const std::vector<Column>& getColumns() const { return columns_; }
  int getKeyColumn() const { return keyColumn_; }
  int columnIndex(const std::string& name) const;

  // Appends a row as it is, without any check (test data).
  void addRow(Row row);
  std::vector<Row> rows() const;
  int size() const;
  // Keeps an index on column (besides the key) for rowsWhere: what an indexed join column is to a database.
  void indexColumn(int column);
  // The rows whose column holds a value with the text of value, in table order: a superset of the rows equal to
  // value (Int 1 and Long 1 share a text), so the caller still compares.
  std::vector<Row> rowsWhere(int column, const plat::lang::Value& value) const;
  // The row whose key equals key, if any.
  std::optional<Row> find(const plat::lang::Value& key) const;
  bool contains(const plat::lang::Value& key) const;

  // Writes as a committed transaction does. insert throws SQLException for a present key, update and remove for
  // a key that is gone.
  void insert(const Row& row);
  void update(const plat::lang::Value& key, const Row& row);
  void remove(const plat::lang::Value& key);

  // A where text of a query names one of these; an unknown name is an SQLException.
  void registerFilter(const std::string& name, Filter filter);
  Filter getFilter(const std::string& name) const;

  // The Nth save (1-based, counted from this call) of a record of this table throws SQLException "injected".
  void failSave(int nth);
  // The next n calls of initDataStorage on records of this table throw RuntimeException "injected".
  void failInitDataStorage(int n);
  // The next n reads of the query's row at position (0-based) throw RuntimeException "injected"; the row stays
  // unread, so a later read gets it.
  void failRead(int position, int n);
  // Counted by the records: true when this save or preparation is to fail.
  bool takeSaveFailure();
  bool takeInitFailure();
  bool takeReadFailure(int position);

  // PersistentObjectModel.
  int getMemberCount() const override { return static_cast<int>(columns_.size()); }
  plat::lang::Ref<quenlora::zafoli::db::beans::binding::PersistentObjectMemberModel> getMemberModel(
      int index) const override;
  std::string getModelName() const override { return name_; }

  std::string getClassName() const override { return "testkit.beans.MemoryTable"; }

 private:
  int positionOf(const plat::lang::Value& key) const;  // under mutex_; -1 when absent
  void reindex();                                      // under mutex_
  void relookup();                                     // under mutex_

  const std::string name_;
  const std::vector<Column> columns_;
  const int keyColumn_;
  const bool indexed_;
  std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::DefaultPersistentObjectMemberModel>> members_;
  mutable std::mutex mutex_;
  std::vector<Row> rows_;                                     // guarded by mutex_
  std::map<std::string, int> index_;                          // guarded by mutex_; key text to row, when indexed_
  int lookupColumn_ = -1;                                     // guarded by mutex_; -1 when no column is indexed
  std::unordered_map<std::string, std::vector<int>> lookup_;  // guarded by mutex_; value text to rows, ascending
  std::map<std::string, Filter> filters_;                     // guarded by mutex_
  int savesUntilFailure_ = 0;                                 // guarded by mutex_; 0 when none is injected
  int initFailures_ = 0;                                      // guarded by mutex_
  int readFailurePosition_ = -1;                              // guarded by mutex_
  int readFailures_ = 0;                                      // guarded by mutex_
};

}  // namespace testkit::beans
