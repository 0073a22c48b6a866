#include "quenlora/zafoli/db/beans/jdbc/SqlText.h"

namespace quenlora::zafoli::db::beans::jdbc {

void SqlText::appendMarker(std::string_view before, std::string_view after) {
  sql_ += before;
  markers_.push_back(sql_.size());
  sql_ += '?';
  sql_ += after;
  values_.emplace_back();
  bound_.push_back(false);
}

void SqlText::bind(int index, const plat::lang::Value& value) {
  if (index < 1 || index > markerCount()) return;
  const auto i = static_cast<std::size_t>(index - 1);
  values_[i] = value.isNull() ? "null" : value.toString();
  bound_[i] = true;
}

std::string SqlText::logged() const {
  std::string text;
  std::size_t from = 0;
  for (std::size_t i = 0; i < markers_.size(); ++i) {
    text.append(sql_, from, markers_[i] - from);
    text += bound_[i] ? values_[i] : "?";
    from = markers_[i] + 1;
  }
  text.append(sql_, from, std::string::npos);
  return text;
}

std::string SqlText::withoutNewLine() const {
  if (!sql_.empty() && sql_.back() == '\n') return sql_.substr(0, sql_.size() - 1);
  return sql_;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
