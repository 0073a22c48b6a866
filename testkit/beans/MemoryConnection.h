// A connection held in memory: nested transactions whose writes are staged until the outermost commit, a journal
// of what happened, and injected failures of begin, commit and writes. Without an open transaction a write is
// applied at once. The rules of the connection beans hold: ending a transaction with commit after it (or an inner
// level) was rolled back or failed throws; a failed begin leaves the depth as it was and throws. Optionally a
// failed write dooms the open transaction, as a server that aborts it would. Thread-safe.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/Connection.h"
#include "testkit/beans/MemoryTable.h"

namespace testkit::beans {

class MemoryConnection : public plat::lang::Object, public quenlora::zafoli::db::beans::binding::Connection {
 public:
  enum class Kind { Insert, Update, Delete };
  struct Write {
    plat::lang::Ref<MemoryTable> table;
    Kind kind;
    plat::lang::Value key;  // the key the write addresses (the new key of an insert)
    MemoryTable::Row row;   // the values of an insert or update
  };

  MemoryConnection() = default;

  void beginTransaction() override;
  void endTransaction(bool commit) override;
  bool isAutoCommit() override;

  // Checks the write against the table and the writes staged before it: an insert of a present key, or an update
  // or delete of a key that is gone, throws SQLException.
  void write(const Write& write);

  int getDepth() const;
  // "begin 1", "INSERT emp 7", "commit", "rollback 2", "begin failed", ...
  std::vector<std::string> getJournal() const;
  void clearJournal();

  void failNextBegin();
  void failNextCommit();
  void setFailedWriteDoomsTransaction(bool dooms);

  std::string getClassName() const override { return "testkit.beans.MemoryConnection"; }

 private:
  bool exists(const MemoryTable& table, const plat::lang::Value& key) const;  // under mutex_
  void reset();                                                               // under mutex_

  mutable std::mutex mutex_;
  int depth_ = 0;                     // guarded by mutex_
  bool failed_ = false;               // guarded by mutex_; a level was rolled back or a write failed
  std::vector<Write> staged_;         // guarded by mutex_
  std::vector<std::string> journal_;  // guarded by mutex_
  bool failBegin_ = false;            // guarded by mutex_
  bool failCommit_ = false;           // guarded by mutex_
  bool doomOnFailure_ = false;        // guarded by mutex_
};

}  // namespace testkit::beans
