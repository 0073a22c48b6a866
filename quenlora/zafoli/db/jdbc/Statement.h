// The proxy of a server statement for plain SQL texts (server class "Statement"), made by the connection. Used by
// one thread at a time.
#pragma once

#include <cstdint>

#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/StatementProxy.h"

namespace quenlora::zafoli::db::jdbc {

class Statement final : public StatementProxy<plat::sql::Statement> {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.jdbc.Statement";

  Statement(std::int32_t objectID, SessionRef session, plat::lang::WeakRef<StatementList> owner)
      : StatementProxy(objectID, std::move(session), std::move(owner)) {}

  std::string getClassName() const override { return kClassName; }
};

}  // namespace quenlora::zafoli::db::jdbc
