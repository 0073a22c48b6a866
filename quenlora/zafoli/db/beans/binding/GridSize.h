// Width (columns) and height (rows) of a grid of values, an output or a data item.
#pragma once

namespace quenlora::zafoli::db::beans::binding {

struct GridSize {
  int width = 0;
  int height = 0;

  friend bool operator==(const GridSize& a, const GridSize& b) = default;
};

}  // namespace quenlora::zafoli::db::beans::binding
