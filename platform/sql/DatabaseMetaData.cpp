#include "platform/sql/DatabaseMetaData.h"

namespace plat::sql {

DatabaseMetaData::~DatabaseMetaData() = default;

}  // namespace plat::sql
