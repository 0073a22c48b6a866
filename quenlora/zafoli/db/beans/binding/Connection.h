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

  virtual void beginTransaction() = 0;
  // Commits when commit is true, rolls back otherwise.
  virtual void endTransaction(bool commit) = 0;
  virtual bool isAutoCommit() = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
