// The failure of an SQL adapter's checks: an SQL exception whose vendor code is one of the adapter's codes and whose
// message is the JDBC beans bundle's text for the check that failed. A copyable value.
#pragma once

#include <string>

#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SQLAdapterException : public plat::sql::SQLException {
 public:
  static constexpr int CODE_MULTIPLE_RETURN_VALUES = 1;
  static constexpr int CODE_INDEX_DUPLICATION = 2;
  static constexpr int CODE_UNKNOWN_PARAM_TYPE = 3;
  static constexpr int CODE_NO_JDBC_CONNECTION = 4;
  static constexpr int CODE_INVALID_PARAMETERS_NUMBER = 5;
  static constexpr int CODE_MISSING_PARAMETER = 6;
  static constexpr int CODE_NO_SQL_TEXT = 7;
  static constexpr int CODE_INVALID_VALUES_NUMBER = 8;
  static constexpr int CODE_PARAMETER_INDEX_DUPLICATION = 9;
  static constexpr int CODE_INVALID_PARAMETER_INDEX = 10;
  static constexpr int PARAMETER_NAME_NOT_SUPPORTED = 11;
  static constexpr int COLUMN_NAME_NOT_SUPPORTED = 12;
  static constexpr int CODE_NOT_UNIQUE_PARAMETER_NAMES = 13;
  static constexpr int CODE_NOT_UNIQUE_COLUMN_NAMES = 14;

  SQLAdapterException(std::string message, int code) : SQLException(std::move(message), "", code) {}

  // The exception of code whose message is the bundle's text under key, followed by detail.
  static SQLAdapterException fromBundle(int code, const std::string& key, const std::string& detail = "");

  PLAT_THROWABLE_MEMBERS(SQLAdapterException, "quenlora.zafoli.db.beans.jdbc.SQLAdapterException")
};

}  // namespace quenlora::zafoli::db::beans::jdbc
