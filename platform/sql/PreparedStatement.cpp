#include "platform/sql/PreparedStatement.h"

namespace plat::sql {

PreparedStatement::~PreparedStatement() = default;

}  // namespace plat::sql
