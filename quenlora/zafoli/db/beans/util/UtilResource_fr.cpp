#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {

const std::vector<plat::text::BundleEntry>& UtilResource_fr::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Query Navigators", "Navigateurs d'interrogation"},
      {"StoredProcedure/SQL Adapters", "Adaptateurs StoredProcedure/SQL"},
      {"Calculated Columns", "Colonnes calculées"},
      {"Validated Columns", "Colonnes validées"},
      {"Parse Exception while converting string to number",
       "Exception d'analyse en convertissant des chaînes de caractères en nombres."},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::util
