// One generated SQL text with the positions of its parameter markers, and the text of each value bound to them, so
// the log shows the statement with its values written in at the markers' places (a value holding "?" moves
// nothing). A value type used by one thread; copies share the text and its markers until one of them appends, so
// a cached text hands out copies without copying the statement.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::jdbc {

class SqlText {
 public:
  void append(std::string_view text) { own().sql += text; }
  // The marker "?" with the text around it.
  void appendMarker(std::string_view before, std::string_view after);
  const std::string& sql() const;
  bool empty() const { return sql().empty(); }
  int markerCount() const { return shape_ ? static_cast<int>(shape_->markers.size()) : 0; }
  // The value bound to marker index (1-based); "null" for null. Indexes without a marker are ignored.
  void bind(int index, const plat::lang::Value& value);
  // The text with every bound value in place of its marker.
  std::string logged() const;
  // The text without its final "\n".
  std::string withoutNewLine() const;

  // The value's text as the log shows it: the runtime's text form ("null" for null).
  static std::string valueText(const plat::lang::Value& value);

 private:
  struct Shape {
    std::string sql;
    std::vector<std::size_t> markers;  // offset of each "?" in sql, ascending
  };
  // The shape for appending, copied first when another text shares it.
  Shape& own();

  std::shared_ptr<Shape> shape_;                    // shared by copies; never changed while shared
  std::vector<std::optional<std::string>> values_;  // per marker once a value is bound; unbound ones keep the "?"
};

}  // namespace quenlora::zafoli::db::beans::jdbc
