#include "platform/pq/PqNotices.h"

#include <libpq-fe.h>

namespace plat::sql::pq {

namespace {

thread_local PqWarnings* currentTarget = nullptr;

void onNotice(void* fallback, const PGresult* result) {
  const char* primary = PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY);
  const char* state = PQresultErrorField(result, PG_DIAG_SQLSTATE);
  SQLWarning warning(primary != nullptr ? primary : PQresultErrorMessage(result), state != nullptr ? state : "01000");
  PqWarnings* target = currentTarget != nullptr ? currentTarget : static_cast<PqWarnings*>(fallback);
  target->add(warning);
}

}  // namespace

void PqWarnings::add(const SQLWarning& warning) {
  auto next = std::make_shared<SQLWarning>(warning);
  std::lock_guard lock(mutex_);
  if (tail_ == nullptr) {
    head_ = next;
  } else {
    tail_->setNextWarning(next);
  }
  tail_ = std::move(next);
}

std::shared_ptr<SQLWarning> PqWarnings::get() const {
  std::lock_guard lock(mutex_);
  return head_;
}

void PqWarnings::clear() {
  std::lock_guard lock(mutex_);
  head_.reset();
  tail_.reset();
}

PqNoticeScope::PqNoticeScope(PqWarnings& target) : previous_(currentTarget) {
  currentTarget = &target;
}

PqNoticeScope::~PqNoticeScope() {
  currentTarget = previous_;
}

void receiveNotices(pg_conn* conn, PqWarnings& fallback) {
  PQsetNoticeReceiver(conn, &onNotice, &fallback);
}

}  // namespace plat::sql::pq
