#include "platform/sql/ResultSetMetaData.h"

namespace plat::sql {

ResultSetMetaData::~ResultSetMetaData() = default;

}  // namespace plat::sql
