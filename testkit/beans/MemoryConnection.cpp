#include "testkit/beans/MemoryConnection.h"

#include "platform/sql/SQLException.h"

namespace testkit::beans {

namespace {

const char* kindText(MemoryConnection::Kind kind) {
  switch (kind) {
    case MemoryConnection::Kind::Insert:
      return "INSERT";
    case MemoryConnection::Kind::Update:
      return "UPDATE";
    default:
      return "DELETE";
  }
}

void apply(const MemoryConnection::Write& write) {
  switch (write.kind) {
    case MemoryConnection::Kind::Insert:
      write.table->insert(write.row);
      break;
    case MemoryConnection::Kind::Update:
      write.table->update(write.key, write.row);
      break;
    case MemoryConnection::Kind::Delete:
      write.table->remove(write.key);
      break;
  }
}

}  // namespace

void MemoryConnection::beginTransaction() {
  std::lock_guard lock(mutex_);
  if (failBegin_) {
    failBegin_ = false;
    journal_.push_back("begin failed");
    throw plat::sql::SQLException("injected begin failure", "08000");
  }
  ++depth_;
  journal_.push_back("begin " + std::to_string(depth_));
}

void MemoryConnection::reset() {
  staged_.clear();
  failed_ = false;
}

void MemoryConnection::endTransaction(bool commit) {
  std::lock_guard lock(mutex_);
  if (depth_ == 0) throw plat::sql::SQLException("no transaction is open", "25000");
  const int level = depth_--;
  if (!commit) {
    journal_.push_back("rollback " + std::to_string(level));
    failed_ = true;
    if (depth_ == 0) reset();
    return;
  }
  if (failed_) {
    journal_.push_back("commit refused " + std::to_string(level));
    if (depth_ == 0) reset();
    throw plat::sql::SQLException("the transaction was rolled back", "40000");
  }
  if (depth_ > 0) {
    journal_.push_back("commit " + std::to_string(level));
    return;
  }
  if (failCommit_) {
    failCommit_ = false;
    journal_.push_back("commit failed");
    reset();
    throw plat::sql::SQLException("injected commit failure", "40000");
  }
  auto writes = std::move(staged_);
  reset();
  for (const auto& write : writes) apply(write);
  journal_.push_back("commit");
}

bool MemoryConnection::isAutoCommit() {
  std::lock_guard lock(mutex_);
  return depth_ == 0;
}

bool MemoryConnection::exists(const MemoryTable& table, const plat::lang::Value& key) const {
  for (auto it = staged_.rbegin(); it != staged_.rend(); ++it)
    if (it->table.get() == &table && it->key.equals(key)) return it->kind != Kind::Delete;
  return table.contains(key);
}

void MemoryConnection::write(const Write& write) {
  std::lock_guard lock(mutex_);
  const std::string what =
      std::string(kindText(write.kind)) + " " + write.table->getName() + " " + write.key.toString();
  if (depth_ > 0 && failed_ && doomOnFailure_) {
    journal_.push_back(what + " refused");
    throw plat::sql::SQLException("current transaction is aborted", "25P02");
  }
  const bool present = exists(*write.table, write.key);
  if (write.kind == Kind::Insert ? present : !present) {
    journal_.push_back(what + " failed");
    if (depth_ > 0 && doomOnFailure_) failed_ = true;
    throw plat::sql::SQLException(write.kind == Kind::Insert
                                      ? write.table->getName() + ": duplicate key " + write.key.toString()
                                      : write.table->getName() + ": no row with key " + write.key.toString(),
                                  write.kind == Kind::Insert ? "23505" : "02000");
  }
  journal_.push_back(what);
  if (depth_ > 0)
    staged_.push_back(write);
  else
    apply(write);
}

int MemoryConnection::getDepth() const {
  std::lock_guard lock(mutex_);
  return depth_;
}

std::vector<std::string> MemoryConnection::getJournal() const {
  std::lock_guard lock(mutex_);
  return journal_;
}

void MemoryConnection::clearJournal() {
  std::lock_guard lock(mutex_);
  journal_.clear();
}

void MemoryConnection::failNextBegin() {
  std::lock_guard lock(mutex_);
  failBegin_ = true;
}

void MemoryConnection::failNextCommit() {
  std::lock_guard lock(mutex_);
  failCommit_ = true;
}

void MemoryConnection::setFailedWriteDoomsTransaction(bool dooms) {
  std::lock_guard lock(mutex_);
  doomOnFailure_ = dooms;
}

}  // namespace testkit::beans
