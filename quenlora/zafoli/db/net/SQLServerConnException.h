// The connection to the middleware server is lost; the session is unusable afterwards. Made without a text it
// reads "Lost connection to Kestrovane server.".
#pragma once

#include <string>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetErrors.h"

namespace quenlora::zafoli::db::net {

class SQLServerConnException : public plat::sql::SQLException {
 public:
  SQLServerConnException() : SQLException(NetErrors::LOST_CONNECTION) {}
  explicit SQLServerConnException(std::string reason) : SQLException(std::move(reason)) {}
  SQLServerConnException(std::string reason, std::string sqlState)
      : SQLException(std::move(reason), std::move(sqlState)) {}
  SQLServerConnException(std::string reason, std::string sqlState, int vendorCode)
      : SQLException(std::move(reason), std::move(sqlState), vendorCode) {}

  PLAT_THROWABLE_MEMBERS(SQLServerConnException, "quenlora.zafoli.db.net.SQLServerConnException")
};

}  // namespace quenlora::zafoli::db::net
