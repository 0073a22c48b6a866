// A fixed list of display names with their integer values, as the view-setting helpers use them: names compare
// exactly; an unknown name or value gives the list's fallback. Stateless; any thread.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

namespace quenlora::zafoli::db::pro {

template <std::size_t N>
struct NamedValues {
  std::array<std::pair<const char*, int>, N> entries;
  int unknownName;
  const char* unknownValue;

  int valueOf(const std::string& name) const {
    for (const auto& [text, value] : entries) {
      if (name == text) return value;
    }
    return unknownName;
  }
  std::string nameOf(int value) const {
    for (const auto& [text, v] : entries) {
      if (v == value) return text;
    }
    return unknownValue;
  }
};

}  // namespace quenlora::zafoli::db::pro
