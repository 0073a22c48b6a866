// The kinds of data source of the library and their display names (texts of the utility bundle, read once on
// first use). Constants only; safe from any thread.
#pragma once

#include <string>
#include <vector>

namespace plat::text {
class ResourceBundle;
}

namespace quenlora::zafoli::db::beans::util {

struct DataSourceConstants {
  static constexpr int NUM_DATASOURCE_TYPES = 4;
  static constexpr int UNKNOWN_DATASOURCE = -1;
  static constexpr int QUERYNAV_DATASOURCE = 0;
  static constexpr int SQLBEAN_DATASOURCE = 1;
  static constexpr int DERIVCOL_DATASOURCE = 2;
  static constexpr int VALIDCOL_DATASOURCE = 3;
  static constexpr const char* DB_HELP_FILE_NAME = "tolvexdb.hlp";

  // The display names by kind 0 to 3, from the process's utility bundle.
  static const std::vector<std::string>& DATASOURCE_DESC();
  // The same names from a given bundle (the English base when null).
  static std::vector<std::string> descriptionsFrom(const plat::text::ResourceBundle* bundle);
};

}  // namespace quenlora::zafoli::db::beans::util
