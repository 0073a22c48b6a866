// The transaction handle of a connection bean. Begin and end calls nest; the master/detail synchroniser pairs them.
// Implementations say their own thread contract.
#pragma once

namespace quenlora::zafoli::db::beans::binding {

class Connection {
 public:
  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  virtual ~Connection() = default;

  // Restores whatever it changed and throws when the transaction (or the inner level) cannot be begun.
  virtual void beginTransaction() = 0;
  // Commits when commit is true, rolls back otherwise. With commit true it throws when it rolled back instead or
  // could not commit: a level that failed or was rolled back fails every level enclosing it, so the synchroniser
  // never counts a rolled-back save as saved.
  virtual void endTransaction(bool commit) = 0;
  virtual bool isAutoCommit() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
