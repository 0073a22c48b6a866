#include "platform/gui/UIManager.h"

#include <map>
#include <mutex>

namespace plat::gui {
namespace {

struct Defaults {
  std::mutex mutex;
  std::map<std::string, plat::lang::Ref<Border>> borders;  // guarded by mutex
  std::map<std::string, Color> colors;                     // guarded by mutex
};

// The defaults of the plain look: a yellowish focus line round the focused table cell, black on white inside it.
Defaults& defaults() {
  static Defaults* d = [] {
    auto* made = new Defaults;
    made->borders["Table.focusCellHighlightBorder"] = plat::lang::makeRef<LineBorder>(Color(0xFFFF99u), 1);
    made->colors["Table.focusCellForeground"] = Color::black;
    made->colors["Table.focusCellBackground"] = Color::white;
    made->colors["Table.selectionBackground"] = Color(0xB8CFE5u);
    made->colors["Table.selectionForeground"] = Color::black;
    return made;
  }();
  return *d;
}

}  // namespace

plat::lang::Ref<Border> UIManager::getBorder(const std::string& key) {
  auto& d = defaults();
  std::lock_guard lock(d.mutex);
  auto it = d.borders.find(key);
  return it == d.borders.end() ? nullptr : it->second;
}

std::optional<Color> UIManager::getColor(const std::string& key) {
  auto& d = defaults();
  std::lock_guard lock(d.mutex);
  auto it = d.colors.find(key);
  if (it == d.colors.end()) return std::nullopt;
  return it->second;
}

void UIManager::put(const std::string& key, plat::lang::Ref<Border> border) {
  auto& d = defaults();
  std::lock_guard lock(d.mutex);
  d.borders[key] = std::move(border);
}

void UIManager::put(const std::string& key, Color color) {
  auto& d = defaults();
  std::lock_guard lock(d.mutex);
  d.colors[key] = color;
}

}  // namespace plat::gui
