// The server's notices (NOTICE, WARNING, INFO sent during a round trip) as SQLWarnings: on the statement that ran
// the round trip, else on the connection. libpq hands a notice to the receiver on the thread that runs the round
// trip, so a statement names itself the notices' target on its thread for the length of its call (PqNoticeScope).
#pragma once

#include <memory>
#include <mutex>

#include "platform/sql/SQLWarning.h"

struct pg_conn;

namespace plat::sql::pq {

// A warning chain that the receiver appends to. Thread-safe.
class PqWarnings {
 public:
  void add(const SQLWarning& warning);
  // The first warning, chained to the later ones; null when there is none.
  std::shared_ptr<SQLWarning> get() const;
  void clear();

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<SQLWarning> head_;  // guarded by mutex_
  std::shared_ptr<SQLWarning> tail_;  // guarded by mutex_
};

// Notices arriving on this thread while the scope lives go to target.
class PqNoticeScope {
 public:
  explicit PqNoticeScope(PqWarnings& target);
  PqNoticeScope(const PqNoticeScope&) = delete;
  PqNoticeScope& operator=(const PqNoticeScope&) = delete;
  ~PqNoticeScope();

 private:
  PqWarnings* previous_;
};

// Replaces libpq's default receiver (a line on standard error): a notice outside any scope goes to fallback,
// which must outlive the connection.
void receiveNotices(pg_conn* conn, PqWarnings& fallback);

}  // namespace plat::sql::pq
