#include "platform/sql/CallableStatement.h"

namespace plat::sql {

CallableStatement::~CallableStatement() = default;

}  // namespace plat::sql
