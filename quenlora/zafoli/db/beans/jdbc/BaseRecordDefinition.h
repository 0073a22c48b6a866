// The common base of the JDBC row classes: the original and modified values of one row, its record state, the
// conversion of incoming values to the column's value class, the value, state and query-by-example operations of
// the core's row contract, and the reading of one result column. Subclasses supply the table model and the SQL.
//
// Thread contract: the value and state operations of one row are serialised on the row's re-entrant monitor.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "platform/sql/ResultSet.h"
#include "platform/thread/Monitor.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordDefinitionException.h"
#include "quenlora/zafoli/db/beans/jdbc/RecordState.h"

namespace quenlora::zafoli::db::beans::jdbc {

class DataModel;

class BaseRecordDefinition : public plat::lang::Object, public binding::PersistentObject {
 public:
  using RecordDefinitionException = jdbc::RecordDefinitionException;

  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.BaseRecordDefinition";
  static constexpr const char* TableSeparator = "@";
  static constexpr const char* BINARY_DATA = "<Binary Data>";

  BaseRecordDefinition() = default;

  // Both vectors get one empty element per column of the table model.
  void initDataStorage() override;

  // The value in the column's value class (see the source for the table of types); null for null.
  // NumberFormatException for text that does not parse or does not fit, RecordDefinitionException otherwise.
  plat::lang::Value getDBObject(const plat::lang::Value& value, int column) override;

  // Column positions are 0-based; position -1 does nothing. The MODIFIED bit follows the comparison of the two
  // vectors. A value refused with NumberFormatException leaves the row as it was and is thrown on.
  void setValueAsObject(int column, const plat::lang::Value& value) override;
  void setValueAsString(int column, const std::string& value) override;
  void setValueAsInteger(int column, std::optional<int> value) override;
  // which: ORIGINAL_VALUE or MODIFIED_VALUE; a held long binary buffer comes out as a stream over its bytes.
  plat::lang::Value getValueAsObject(int column, int which) override;
  // The text form; "" for null.
  std::string getValueAsString(int column, int which) override;
  // The exact name, else the name with one pair of brackets removed or added; -1 when none matches.
  int getColumnIndex(const std::string& name) override;
  // "TABLE@A<sep>B"; "" without model or columns.
  std::string getDataName(const std::string& separator) override;
  std::vector<int> getModifiedColumns() override;
  std::map<std::string, plat::lang::Value> toHashtable() override;
  // The originals become a copy of the modified values and MODIFIED is undone.
  void bringUpToDate();
  // The originals become a copy of the modified values and the state goes back to ORIGINAL.
  void resetState() override;
  void undoChanges() override;
  void undoColumnChanges(int column) override;

  bool getMarkedAsNew() override;
  bool getMarkedAsModified() override;
  bool getMarkedAsDeleted() override;
  bool getMarkedAsMisplaced() override;
  bool getMarkedAsQBE() override;
  // RecordDefinitionException "The row was found in a invalid state" when the state refuses the change.
  void setMarkedAsNew(bool on) override;
  void setMarkedAsModified(bool on) override;
  void setMarkedAsDeleted(bool on) override;
  void setMarkedAsDisplaced(bool on) override;
  void setMarkedAsQBE(bool on) override;
  int getOperation() override;
  bool isOperationNothing() override;
  bool isDirty() override;
  int getRecordState();

  // Query by example: with check the text must translate as a cell; the raw value is stored.
  void setValueAsQBE(int column, const plat::lang::Value& value, bool check) override;
  // Appends "COLUMN:type:value" for each present modified value.
  void getQBEObjectValues(std::vector<std::string>& entries) override;
  // Translates every present modified value; the first failure is thrown.
  void checkQBEValues() override;

  // Same number of columns and, column by column, equal original and equal modified values (as text).
  bool equals(const plat::lang::Object& other) const override;

  // Reads result column (1-based) by the model's type of column - 1. IllegalArgumentException "<n> < 1" below 1.
  virtual plat::lang::Value getObjectFromResultSet(plat::sql::ResultSet& resultSet, int column);
  // A new empty row of this row class, as the enumerations make them; by default through the class registry.
  virtual plat::lang::Ref<BaseRecordDefinition> newRow();

  std::string getClassName() const override { return kClassName; }

 protected:
  // Whether two values are equal as the row compares them: both null, or equal text forms. The null test is
  // inline: a fetched row asks it for every value it stores.
  static bool sameValue(const plat::lang::Value& a, const plat::lang::Value& b) {
    if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
    return sameNonNull(a, b);
  }
  // The column's JDBC type from the table model; OTHER without one.
  int columnType(int column);
  int columnCount() const { return static_cast<int>(m_ModifiedValues.size()); }
  // Column i's original value; i below columnCount().
  const plat::lang::Value& originalValue(std::size_t i) const {
    switch (m_Originals) {
      case Originals::Held:
        return m_OriginalValues[i];
      case Originals::Modified:
        return m_ModifiedValues[i];
      case Originals::Null:
        break;
    }
    return kNullValue;
  }
  // A copy of the original values.
  std::vector<plat::lang::Value> originalValues() const;
  // Whether column i's original and modified values differ.
  bool changed(std::size_t i) const { return !sameValue(originalValue(i), m_ModifiedValues[i]); }
  // MODIFIED set when any column changed, else undone; column is checked first.
  void followModification(std::size_t column);
  [[noreturn]] static void unexpected(const std::string& operation);

  mutable plat::thread::Monitor m_Lock;             // serialises the row's operations
  std::vector<plat::lang::Value> m_ModifiedValues;  // guarded by m_Lock
  RecordState m_RecordState;                        // guarded by m_Lock
  bool m_QBERow = false;                            // guarded by m_Lock

 private:
  // Where the original values are. A fetched row's originals are first all null and then its modified values
  // themselves, so that an unchanged row holds one vector of values, not two; they are held apart only from the
  // first change after that.
  enum class Originals : unsigned char { Held, Null, Modified };
  Originals m_Originals = Originals::Held;  // guarded by m_Lock; beside m_QBERow so that the row stays small
  bool m_Filling = false;  // while a fetched row is filled: its values are stored without the width check
  static inline const plat::lang::Value kNullValue{};

  // Before a modified value changes: the originals that were the modified values are held apart.
  void holdOriginals();
  // The originals become all null or the modified values; held ones are dropped.
  void releaseOriginals(Originals where);

  // Holds a new row's monitor, and pins its table model, while it fills the row.
  friend class ResultSetEnumeration;

  static bool sameNonNull(const plat::lang::Value& a, const plat::lang::Value& b);
  std::size_t checkedColumn(int column) const;
  // The pinned table model, else the data model as a table model (null for another kind), kept alive in model.
  const DataModel* tableModel(plat::lang::Ref<binding::PersistentObjectModel>& model);
  void changeState(int bit, bool on);

  // The table model while a fetched row is made and filled, so that sizing the row and reading and converting
  // each value do not ask for the model again; null otherwise. Set and cleared before anyone but the filling thread
  // sees the row.
  const DataModel* m_PinnedModel = nullptr;
  std::vector<plat::lang::Value> m_OriginalValues;  // guarded by m_Lock; while Held, as many as m_ModifiedValues
};

}  // namespace quenlora::zafoli::db::beans::jdbc
