#include "quenlora/zafoli/db/beans/jdbc/SQLAdapterException.h"

#include "quenlora/zafoli/db/beans/jdbc/JdbcResourceLoader.h"

namespace quenlora::zafoli::db::beans::jdbc {

SQLAdapterException SQLAdapterException::fromBundle(int code, const std::string& key, const std::string& detail) {
  return SQLAdapterException(JdbcResourceLoader::text(key) + detail, code);
}

}  // namespace quenlora::zafoli::db::beans::jdbc
