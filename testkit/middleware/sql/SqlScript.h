// Canned answers of the SQL server objects, by SQL text: a result (columns and rows), an update count, a server
// error, warnings and out-values of a call. A statement whose text has an entry answers from it and does not touch
// the database, so tests get exact replies, errors and out-parameters that the database cannot give. All methods
// may be called from any thread.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/lang/Value.h"

namespace testkit::middleware::sql {

struct ScriptedColumn {
  std::string name;
  int sqlType = 12;
  int displaySize = 10;
};

struct ScriptedError {
  std::int32_t id = 0;
  std::int32_t category = 15;
  std::string message;
  std::string state = "S1000";
};

struct ScriptedWarning {
  std::string message;
  std::string state;
  std::int32_t code = 0;
};

struct ScriptedReply {
  // A result when there are columns; otherwise the update count.
  std::vector<ScriptedColumn> columns;
  std::vector<std::vector<plat::lang::Value>> rows;
  int updateCount = 0;
  // Answered instead of any result when set.
  std::optional<ScriptedError> error;
  // Reported by the statement's getWarnings after it ran.
  std::vector<ScriptedWarning> warnings;
  // Out-values of a call, by 1-based parameter index.
  std::map<int, plat::lang::Value> outValues;

  bool hasResult() const { return !columns.empty(); }
};

class SqlScript {
 public:
  // Answers sql (compared exactly) with reply from now on; a later entry for the same text replaces it.
  void on(const std::string& sql, ScriptedReply reply);
  std::optional<ScriptedReply> find(const std::string& sql) const;
  void clear();

  // Warnings the connection object reports.
  void setConnectionWarnings(std::vector<ScriptedWarning> warnings);
  std::vector<ScriptedWarning> connectionWarnings() const;

 private:
  mutable std::mutex mu_;
  std::map<std::string, ScriptedReply> replies_;     // guarded by mu_
  std::vector<ScriptedWarning> connectionWarnings_;  // guarded by mu_
};

}  // namespace testkit::middleware::sql
