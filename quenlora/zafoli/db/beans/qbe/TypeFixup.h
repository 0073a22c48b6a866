// The type fix-up that one database engine needs on a translated cell: numeric columns get their plain-number
// literals unquoted, date, time and timestamp columns get a typed literal prefix. Stateless; thread-safe.
#pragma once

#include <string>
#include <string_view>

namespace quenlora::zafoli::db::beans::qbe {

// For a numeric JDBC type code each quoted literal whose content is a plain number (blanks around allowed) has its
// two apostrophes turned into blanks; any other literal keeps its quotes, so text never reaches the SQL unquoted.
// For DATE, TIME and TIMESTAMP " date ", " time " or " timestamp " goes before each quoted literal. Apostrophes
// pair from the left; one without a partner and the text after the last pair stay as they are. Other type codes
// leave the condition unchanged.
std::string applyTypeFixup(std::string_view condition, int jdbcType);

// Whether text is [+-]?(\d+(\.\d*)?|\.\d+)([eE][+-]?\d+)? with blanks around it allowed.
bool isPlainNumber(std::string_view text);

}  // namespace quenlora::zafoli::db::beans::qbe
