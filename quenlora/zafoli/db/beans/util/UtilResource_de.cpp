#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {

const std::vector<plat::text::BundleEntry>& UtilResource_de::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Query Navigators", "QueryNavigator"},
      {"StoredProcedure/SQL Adapters", "StoredProcedure/SQL-Adapter"},
      {"Calculated Columns", "Abgeleitete Spalten"},
      {"Validated Columns", "Überprüfte Spalten"},
      {"Parse Exception while converting string to number",
       "Analysierungsausnahme bei Konvertierung von String nach Zahl."},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::util
