// The proxy of a server prepared statement (server class "Statement"), made by the connection; parameters go to
// the server as they are set. Used by one thread at a time.
#pragma once

#include <cstdint>

#include "platform/sql/PreparedStatement.h"
#include "quenlora/zafoli/db/jdbc/PreparedStatementProxy.h"

namespace quenlora::zafoli::db::jdbc {

class PreparedStatement final : public PreparedStatementProxy<plat::sql::PreparedStatement> {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.PreparedStatement";

  PreparedStatement(std::int32_t objectID, SessionRef session, plat::lang::WeakRef<StatementList> owner)
      : PreparedStatementProxy(objectID, std::move(session), std::move(owner)) {}

  std::string getClassName() const override { return kClassName; }
};

}  // namespace quenlora::zafoli::db::jdbc
