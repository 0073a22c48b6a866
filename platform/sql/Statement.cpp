#include "platform/sql/Statement.h"

namespace plat::sql {

Statement::~Statement() = default;

}  // namespace plat::sql
