// What a scripted driver's connections share: the record of every call, the scripted failures and the metadata
// they report. Calls are recorded as "c<n>.<operation>" (n counts connections from 1), connects as
// "connect <url> user=<user>". Thread-safe.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace testkit {

class ScriptedDatabase {
 public:
  struct MetaData {
    bool supportsTransactions = true;
    int defaultIsolation = 2;
    bool acrossCommit = true;
    bool acrossRollback = true;
    int maxStatements = 0;
    bool fails = false;  // getMetaData itself fails
    std::string productName = "Scripted";
  };

  // The next `times` calls of operation ("connect", "setAutoCommit", "commit", "executeUpdate", ...) fail with an
  // SQLException of message, after the first `after` calls succeed; times < 0 fails every call.
  void fail(const std::string& operation, const std::string& message, int times = 1, int after = 0);
  // Connects fail with "Invalid password for user" unless the password is this one.
  void requirePassword(std::string password);
  void setMetaData(MetaData metaData);
  MetaData metaData() const;

  std::vector<std::string> calls() const;
  // The recorded calls that contain text.
  std::vector<std::string> callsWith(const std::string& text) const;
  void clearCalls();
  int openConnections() const;

  // For the driver's objects: records the call and throws a scripted failure.
  void call(const std::string& record, const std::string& operation);
  int connected(const std::string& url, const std::string& user, const std::string& password);
  void closed();

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
  struct Failure {
    std::string message;
    int times;
    int after;
  };
  std::map<std::string, Failure> failures_;
  std::optional<std::string> password_;
  MetaData metaData_;
  int connections_ = 0;
  int open_ = 0;
};

}  // namespace testkit
