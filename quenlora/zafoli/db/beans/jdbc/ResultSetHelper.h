// Reads one column of a result in the value class a row holds for its JDBC type, falling back to the column's
// text when the driver refuses the typed read. Class-wide functions only; a result set is used by one thread.
#pragma once

#include <string>

#include "platform/lang/Value.h"
#include "platform/sql/ResultSet.h"

namespace quenlora::zafoli::db::beans::jdbc {

class ResultSetHelper {
 public:
  static constexpr std::size_t kChunk = 4096;  // bytes or characters copied from a stream at a time
  // The class of the remote-proxy driver's results, whose long text is read through its ASCII stream.
  static constexpr const char* kProxyResultSet = "quenlora.zafoli.db.jdbc.ResultSet";

  ResultSetHelper() = delete;

  // Column numbers are 1-based; IllegalArgumentException below 1. SQLException when the column cannot be read.
  // The type comes from the result's metadata.
  static plat::lang::Value getObject(plat::sql::ResultSet& resultSet, int column);
  static plat::lang::Value getObject(plat::sql::ResultSet& resultSet, int column, int type);
  // Long text as one string (null stays null).
  static plat::lang::Value getLongVarChar(plat::sql::ResultSet& resultSet, int column);
};

}  // namespace quenlora::zafoli::db::beans::jdbc
