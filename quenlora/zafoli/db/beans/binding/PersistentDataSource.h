// A data source whose records can be saved, undone and marked deleted: the save modes of saveAll() and the state of
// the cache. Implementations say their own thread contract.
#pragma once

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/Connection.h"

namespace quenlora::zafoli::db::beans::binding {

class PersistentDataSource {
 public:
  // Write the deletions of the cached records marked deleted.
  static constexpr int SAVE_DELETED_DIRTY_DATA = 1;
  // Write every other cached record that needs writing (inserts and updates).
  static constexpr int SAVE_ALL_DIRTY_DATA = 2;
  // Drop the cache and show the query-by-example row, writing nothing. There is no mode 3.
  static constexpr int CLEAR_ALL_DATA = 4;
  static constexpr int SAVE_CURRENT_RECORD = 5;

  PersistentDataSource() = default;
  PersistentDataSource(const PersistentDataSource&) = delete;
  PersistentDataSource& operator=(const PersistentDataSource&) = delete;
  virtual ~PersistentDataSource() = default;

  // Every record written since the last commit takes its saved values as original values; deleted records go.
  virtual void commitState() = 0;
  virtual plat::lang::Ref<Connection> getConnection() = 0;
  // Some cached record has unsaved changes.
  virtual bool isDirty() = 0;
  // There is no current data record.
  virtual bool isEmpty() = 0;
  // Saves the current record (through the master/detail synchroniser when linked).
  virtual void save() = 0;
  // The number of rows written.
  virtual int saveAll() = 0;
  virtual int saveAll(int mode) = 0;
  // Marks the current record deleted; nothing is written until a save.
  virtual void setMarkedAsDeleted() = 0;
  // Restores the original value of every column of the current record.
  virtual void undoChanges() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
