#include "testkit/sql/ScriptedDatabase.h"

#include "platform/sql/SQLException.h"

namespace testkit {

void ScriptedDatabase::fail(const std::string& operation, const std::string& message, int times, int after) {
  std::lock_guard lock(mutex_);
  failures_[operation] = {message, times, after};
}

void ScriptedDatabase::requirePassword(std::string password) {
  std::lock_guard lock(mutex_);
  password_ = std::move(password);
}

void ScriptedDatabase::setMetaData(MetaData metaData) {
  std::lock_guard lock(mutex_);
  metaData_ = metaData;
}

ScriptedDatabase::MetaData ScriptedDatabase::metaData() const {
  std::lock_guard lock(mutex_);
  return metaData_;
}

std::vector<std::string> ScriptedDatabase::calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

std::vector<std::string> ScriptedDatabase::callsWith(const std::string& text) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> found;
  for (const auto& call : calls_) {
    if (call.find(text) != std::string::npos) found.push_back(call);
  }
  return found;
}

void ScriptedDatabase::clearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

int ScriptedDatabase::openConnections() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void ScriptedDatabase::call(const std::string& record, const std::string& operation) {
  std::string message;
  {
    std::lock_guard lock(mutex_);
    calls_.push_back(record);
    auto found = failures_.find(operation);
    if (found == failures_.end() || found->second.times == 0) return;
    if (found->second.after > 0) {
      --found->second.after;
      return;
    }
    message = found->second.message;
    if (found->second.times > 0) --found->second.times;
  }
  throw plat::sql::SQLException(message);
}

int ScriptedDatabase::connected(const std::string& url, const std::string& user, const std::string& password) {
  call("connect " + url + " user=" + user, "connect");
  std::lock_guard lock(mutex_);
  if (password_ && *password_ != password) {
    calls_.push_back("refused " + user);
    throw plat::sql::SQLException("Invalid password for user " + user);
  }
  ++open_;
  return ++connections_;
}

void ScriptedDatabase::closed() {
  std::lock_guard lock(mutex_);
  --open_;
}

}  // namespace testkit
