// The server could not open a database connection (error category 8); the record-set library answers it with its
// logon retry.
#pragma once

#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::net {

// The declaring macro inherits constructors through the base's own name, which must be unqualified.
using plat::sql::SQLException;

PLAT_DECLARE_THROWABLE(SQLConnectionException, SQLException, "quenlora.zafoli.db.net.SQLConnectionException")

}  // namespace quenlora::zafoli::db::net
