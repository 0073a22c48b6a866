#include "platform/sql/SQLWarning.h"

namespace plat::sql {

std::shared_ptr<SQLWarning> SQLWarning::getNextWarning() const {
  auto next = getNextException();
  if (!next) return nullptr;
  auto warning = std::dynamic_pointer_cast<SQLWarning>(next);
  if (!warning) throw plat::lang::Error("SQLWarning chain holds value that is not a SQLWarning");
  return warning;
}

}  // namespace plat::sql
