// A database access warning: an SQLException that is reported rather than thrown, chained to further warnings.
// Used by one thread at a time.
#pragma once

#include <memory>
#include <string>

#include "platform/sql/SQLException.h"

namespace plat::sql {

class SQLWarning : public SQLException {
 public:
  using SQLException::SQLException;

  // The next warning of the chain, or null. A chained exception that is no warning is an Error, as in the runtime.
  std::shared_ptr<SQLWarning> getNextWarning() const;
  void setNextWarning(const SQLWarning& next) { setNextException(next); }
  void setNextWarning(std::shared_ptr<SQLWarning> next) { setNextException(std::move(next)); }

  PLAT_THROWABLE_MEMBERS(SQLWarning, "java.sql.SQLWarning")
};

}  // namespace plat::sql
