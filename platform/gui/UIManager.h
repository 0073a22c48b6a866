// The look-and-feel defaults that components and renderers read by key ("Table.focusCellHighlightBorder",
// "Table.focusCellForeground", "Table.focusCellBackground", ...). Process-wide and thread-safe; a key that was never
// put answers null (a border) or nothing (a colour).
#pragma once

#include <optional>
#include <string>

#include "platform/gui/Border.h"
#include "platform/gui/Color.h"

namespace plat::gui {

class UIManager {
 public:
  UIManager() = delete;

  static plat::lang::Ref<Border> getBorder(const std::string& key);
  static std::optional<Color> getColor(const std::string& key);
  static void put(const std::string& key, plat::lang::Ref<Border> border);
  static void put(const std::string& key, Color color);
};

}  // namespace plat::gui
