#include "quenlora/zafoli/db/beans/util/UtilResource.h"

namespace quenlora::zafoli::db::beans::util {

const std::vector<plat::text::BundleEntry>& UtilResource_ja::getContents() const {
  static const std::vector<plat::text::BundleEntry> contents = {
      {"Query Navigators", "QueryNavigator"},
      {"StoredProcedure/SQL Adapters", "StoredProcedure/SQL アダプタ"},
      {"Calculated Columns", "計算列"},
      {"Validated Columns", "検証列"},
      {"Parse Exception while converting string to number", "文字列を数値に変換中に解析例外が発生しました。"},
      {"", ""},
  };
  return contents;
}

}  // namespace quenlora::zafoli::db::beans::util
