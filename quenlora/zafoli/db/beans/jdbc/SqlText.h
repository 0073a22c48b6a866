// One generated SQL text with the positions of its parameter markers, and the text of each value bound to them, so
// the log shows the statement with its values written in at the markers' places (a value holding "?" moves
// nothing). A value type used by one thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SqlText {
 public:
  void append(std::string_view text) { sql_ += text; }
  // The marker "?" with the text around it.
  void appendMarker(std::string_view before, std::string_view after);
  const std::string& sql() const { return sql_; }
  bool empty() const { return sql_.empty(); }
  int markerCount() const { return static_cast<int>(markers_.size()); }
  // The value bound to marker index (1-based); "null" for null. Indexes without a marker are ignored.
  void bind(int index, const plat::lang::Value& value);
  // The text with every bound value in place of its marker.
  std::string logged() const;
  // The text without its final "\n".
  std::string withoutNewLine() const;

 private:
  std::string sql_;
  std::vector<std::size_t> markers_;  // offset of each "?" in sql_, ascending
  std::vector<std::string> values_;   // per marker; empty until bound (the "?" stays)
  std::vector<bool> bound_;
};

}  // namespace quenlora::zafoli::db::beans::jdbc
