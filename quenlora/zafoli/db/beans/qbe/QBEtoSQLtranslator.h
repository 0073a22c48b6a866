// The contract of a query-by-example translator: one cell's text (with its line feed) and the column name in,
// the SQL condition on that column out. Each call builds its own parser, so one translator serves any number of
// threads at once.
#pragma once

#include <string>
#include <string_view>

namespace quenlora::zafoli::db::beans::qbe {

class QBEtoSQLtranslator {
 public:
  static constexpr const char* kInterfaceName = "quenlora.zafoli.db.beans.qbe.QBEtoSQLtranslator";

  virtual ~QBEtoSQLtranslator() = default;

  // ParseException (checked) on a syntax error; TokenMgrError (unchecked) on a lexical error.
  virtual std::string main(std::string_view input, const std::string& column) const = 0;
};

}  // namespace quenlora::zafoli::db::beans::qbe
