#include "quenlora/zafoli/db/beans/util/DataSourceConstants.h"

#include "quenlora/zafoli/db/beans/util/UtilResourceLoader.h"

namespace quenlora::zafoli::db::beans::util {

std::vector<std::string> DataSourceConstants::descriptionsFrom(const plat::text::ResourceBundle* bundle) {
  return {UtilResourceLoader::text(bundle, "Query Navigators"),
          UtilResourceLoader::text(bundle, "StoredProcedure/SQL Adapters"),
          UtilResourceLoader::text(bundle, "Calculated Columns"),
          UtilResourceLoader::text(bundle, "Validated Columns")};
}

const std::vector<std::string>& DataSourceConstants::DATASOURCE_DESC() {
  static const auto* names =
      new std::vector<std::string>(descriptionsFrom(UtilResourceLoader::getInstance().getBundle().get()));
  return *names;
}

}  // namespace quenlora::zafoli::db::beans::util
