// The logon values of one data source: data-source text, user, password, the auto-disconnect flag and a name. The
// logon-retry callback may change them between attempts, so callers share one object. Not locked: one thread at a
// time.
#pragma once

#include <optional>
#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::pro {

class ConnectionInfo : public plat::lang::Object {
 public:
  explicit ConnectionInfo(std::string db, bool autoDisconnect = true)
      : dbStr_(std::move(db)), autoDisconnect_(autoDisconnect) {}
  ConnectionInfo(std::string db, std::string user, std::string password, bool autoDisconnect = true)
      : dbStr_(std::move(db)),
        user_(std::move(user)),
        password_(std::move(password)),
        autoDisconnect_(autoDisconnect) {}

  const std::string& getDBString() const { return dbStr_; }
  void setDBString(std::string v) { dbStr_ = std::move(v); }
  const std::string& getUser() const { return user_; }
  void setUser(std::string v) { user_ = std::move(v); }
  const std::string& getPassword() const { return password_; }
  void setPassword(std::string v) { password_ = std::move(v); }
  bool getAutoDisconnect() const { return autoDisconnect_; }
  void setAutoDisconnect(bool v) { autoDisconnect_ = v; }
  const std::optional<std::string>& getName() const { return name_; }
  void setName(std::string v) { name_ = std::move(v); }

 private:
  std::string dbStr_;
  std::string user_;
  std::string password_;
  bool autoDisconnect_ = true;
  std::optional<std::string> name_;  // absent until set
};

}  // namespace quenlora::zafoli::db::pro
