// A table held in memory that behaves as a data source of the binding library, for tests: named columns, rows of
// values, a current row, and the trigger listeners (the provider mediators) it tells about every change. Cells are
// addressed as the contract says: a row offset from the current row and a 0-based column; a cell outside the table
// reads null and ignores writes. Optionally its binding name ends with the four virtual columns a navigator has,
// of which RowNumber (1-based) and NumberOfRows answer. Serialised on the source; listeners are called on a copy of
// the list outside the lock.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIListener.h"

namespace testkit::beans {

class MemoryDataSource : public plat::lang::Object, public quenlora::zafoli::db::beans::binding::BasicDataSource {
 public:
  using Row = std::vector<plat::lang::Value>;

  struct Write {
    plat::lang::Value value;
    int row;  // absolute, 0-based
    int column;
  };

  explicit MemoryDataSource(std::vector<std::string> columns, std::vector<Row> rows = {});

  void addTriggerUIListener(
      const plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>& listener) override;
  void removeTriggerUIListener(
      const plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>& listener) override;
  int getCurrentRowNumber() override;
  int getTotalNumberOfRows() override;
  plat::lang::Value getValue(int row, int column) override;
  // Stores the value, then triggers RECORDCHANGED; writing RowNumber (with the virtual columns) moves to that row
  // instead, as moveTo does.
  void setValue(const plat::lang::Value& value, int row, int column) override;

  // alias@columns%1, the columns followed by the virtual ones when asked for; every listener is told the name.
  std::string publish(const std::string& alias, bool withVirtualColumns = true);
  std::string getFullName() const;

  // Moves the current row (absolute, 0-based) and triggers RECORDNAVIGATION.
  void moveTo(int row);
  // Appends a row and triggers RECORDINSERTED.
  void appendRow(Row row);
  // Removes a row (absolute) and triggers RECORDDELETED; the current row stays in the table.
  void removeRow(int row);
  // Changes a cell without telling anyone, as a change behind the display's back would.
  void putQuietly(const plat::lang::Value& value, int absoluteRow, int column);
  // Tells every listener a trigger event of that type for the current row.
  void trigger(int type);

  // The cell at an absolute row.
  plat::lang::Value cell(int absoluteRow, int column) const;
  std::vector<Write> getWrites() const;
  std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>> getTriggerUIListeners() const;
  int getTriggerCount() const;

  std::string getClassName() const override { return "testkit.beans.MemoryDataSource"; }

 private:
  void fire(int type);

  mutable std::mutex mutex_;
  std::vector<std::string> columns_;
  std::vector<Row> rows_;        // guarded by mutex_
  int current_ = 0;              // guarded by mutex_
  bool virtualColumns_ = false;  // guarded by mutex_
  std::string fullName_;         // guarded by mutex_
  std::vector<Write> writes_;    // guarded by mutex_
  int triggers_ = 0;             // guarded by mutex_
  std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>>
      listeners_;  // guarded by mutex_
};

}  // namespace testkit::beans
