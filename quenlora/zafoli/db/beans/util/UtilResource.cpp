#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {

const std::vector<plat::text::BundleEntry>& UtilResource::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Query Navigators", "Query Navigators"},
      {"StoredProcedure/SQL Adapters", "StoredProcedure/SQL Adapters"},
      {"Calculated Columns", "Calculated Columns"},
      {"Validated Columns", "Validated Columns"},
      {"Parse Exception while converting string to number", "Parse Exception while converting string to number"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::util
