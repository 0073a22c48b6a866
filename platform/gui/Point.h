// A position in pixels within a component.
#pragma once

namespace plat::gui {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

}  // namespace plat::gui
