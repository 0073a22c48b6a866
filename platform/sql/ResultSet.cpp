#include "platform/sql/ResultSet.h"

namespace plat::sql {

ResultSet::~ResultSet() = default;

}  // namespace plat::sql
