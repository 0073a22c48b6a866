// The ordered inputs handed to a rule. Positions count from 1; a position outside 1..count gives null. A lookup by
// text gives the first member whose text equals it, skipping members without text. One thread at a time.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/brl/CompColMember.h"

namespace quenlora::zafoli::db::beans::brl {

class ComputeRow {
 public:
  using InputRef = std::shared_ptr<CompColInputMember>;

  virtual ~ComputeRow() = default;

  void addSourceColumnMember(InputRef member) { sources_.push_back(std::move(member)); }
  // Removes the first entry that is this very member.
  void removeSourceColumnMember(const InputRef& member);
  void removeAllSourceColumnMembers() { sources_.clear(); }
  int getNumberOfSourceColumns() const { return static_cast<int>(sources_.size()); }
  InputRef getSourceColumnMember(int position) const { return at(sources_, position); }
  InputRef getSourceColumnMember(const std::string& text) const { return find(sources_, text); }
  // The sources in order, for engines that walk them all.
  const std::vector<InputRef>& sourceMembers() const { return sources_; }

 protected:
  template <class T>
  static std::shared_ptr<T> at(const std::vector<std::shared_ptr<T>>& list, int position) {
    if (position < 1 || position > static_cast<int>(list.size())) return nullptr;
    return list[static_cast<std::size_t>(position - 1)];
  }
  template <class T>
  static std::shared_ptr<T> find(const std::vector<std::shared_ptr<T>>& list, const std::string& text) {
    for (const auto& member : list) {
      const std::optional<std::string> own = member->toString();
      if (own && *own == text) return member;
    }
    return nullptr;
  }
  template <class T>
  static void removeOne(std::vector<std::shared_ptr<T>>& list, const std::shared_ptr<T>& member) {
    for (auto it = list.begin(); it != list.end(); ++it) {
      if (*it == member) {
        list.erase(it);
        return;
      }
    }
  }

 private:
  std::vector<InputRef> sources_;
};

// The row handed to a calculation.
class DerivationRow : public ComputeRow {};

}  // namespace quenlora::zafoli::db::beans::brl
