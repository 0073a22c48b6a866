#include "platform/sql/Driver.h"

namespace plat::sql {

Driver::~Driver() = default;

}  // namespace plat::sql
