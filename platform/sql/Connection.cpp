#include "platform/sql/Connection.h"

namespace plat::sql {

Connection::~Connection() = default;

}  // namespace plat::sql
