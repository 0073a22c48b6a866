// Server error object (type 49), received only: a leader, an error id, a category and exactly two texts (message
// and SQL state). The factory also reads every code it has no class for as one of these. Filled once, then
// read-only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/ServerObject.h"

namespace quenlora::zafoli::db::net {

class NetError final : public ServerObject {
 public:
  // The object as a server error, else null. Only this class reports the error type, so the type word decides
  // without a checked cast: replies ask it of every element they hand out.
  static const NetError* of(const ServerObject& object) {
    return object.getType() == Define::SERVER_ERROR ? static_cast<const NetError*>(&object) : nullptr;
  }

  static constexpr std::size_t kLeaderBytes = 4;
  static constexpr int kTexts = 2;

  NetError() = default;

  int getType() const override;
  void read(plat::io::DataInputStream& in) override;
  // Errors are never sent: IOException.
  void write(plat::io::DataOutputStream& out) const override;

  // Category 8 gives SQLConnectionException, any other a plain SQLException; both carry the message, the SQL state
  // and the error id as vendor code.
  std::shared_ptr<plat::sql::SQLException> toSQLException() const;

  int getSeverity() const { return severity_; }
  std::int32_t getErrorID() const { return errorID_; }
  std::int32_t getCategory() const { return category_; }
  const std::string& getLeader() const { return leader_; }
  // The i-th text (0 message, 1 SQL state), or "" beyond the texts.
  std::string getErrorString(int i) const;

 protected:
  [[noreturn]] void raiseUnexpected() const override;

 private:
  int severity_ = 0;  // always 0 for received errors
  std::int32_t errorID_ = 0;
  std::int32_t category_ = 0;
  std::vector<std::string> errorStr_;
  std::string leader_;
};

}  // namespace quenlora::zafoli::db::net
