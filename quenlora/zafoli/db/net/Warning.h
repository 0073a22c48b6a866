// Warning object (type 88), received only as an element of a result list: a message, an SQL state and a code.
// The caller decides what to do with it. Filled once, then read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sql/SQLWarning.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class Warning : public ServerObject {
 public:
  Warning() = default;

  int getType() const override;
  // A code shorter than 4 bytes fails with SQLException carrying the end-of-data message; an object of another
  // kind in any place gets the object-error rule.
  void read(plat::io::DataInputStream& in) override;
  // Warnings are never sent: IOException.
  void write(plat::io::DataOutputStream& out) const override;

  std::shared_ptr<plat::sql::SQLWarning> toSQLWarning() const;

  const std::string& getMessage() const { return message_; }
  const std::string& getSQLState() const { return SQLState_; }
  std::int32_t getCode() const { return code_; }

 private:
  std::string message_;   // "" until read
  std::string SQLState_;  // "" until read
  std::int32_t code_ = 0;
};

}  // namespace quenlora::zafoli::db::net
