#include "testkit/middleware/sql/SqlScript.h"

namespace testkit::middleware::sql {

void SqlScript::on(const std::string& sql, ScriptedReply reply) {
  std::lock_guard<std::mutex> hold(mu_);
  replies_[sql] = std::move(reply);
}

std::optional<ScriptedReply> SqlScript::find(const std::string& sql) const {
  std::lock_guard<std::mutex> hold(mu_);
  auto it = replies_.find(sql);
  if (it == replies_.end()) return std::nullopt;
  return it->second;
}

void SqlScript::clear() {
  std::lock_guard<std::mutex> hold(mu_);
  replies_.clear();
  connectionWarnings_.clear();
}

void SqlScript::setConnectionWarnings(std::vector<ScriptedWarning> warnings) {
  std::lock_guard<std::mutex> hold(mu_);
  connectionWarnings_ = std::move(warnings);
}

std::vector<ScriptedWarning> SqlScript::connectionWarnings() const {
  std::lock_guard<std::mutex> hold(mu_);
  return connectionWarnings_;
}

}  // namespace testkit::middleware::sql
