// The open children of a driver object (a connection's statements, a metadata object's result sets): held weakly,
// so a child the caller drops closes itself, and a child leaves the list when it closes, so a long-lived owner does
// not grow. Thread-safe: every operation takes the list's lock; children are closed outside it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::jdbc {

template <class T>
class OpenObjects {
 public:
  OpenObjects() = default;
  OpenObjects(const OpenObjects&) = delete;
  OpenObjects& operator=(const OpenObjects&) = delete;

  void add(const plat::lang::Ref<T>& child) {
    std::lock_guard lock(mu_);
    prune();
    items_.push_back(child);
  }

  void remove(const T* child) {
    std::lock_guard lock(mu_);
    items_.erase(std::remove_if(items_.begin(), items_.end(),
                                [child](const plat::lang::WeakRef<T>& w) {
                                  auto held = w.lock();
                                  return !held || held.get() == child;
                                }),
                 items_.end());
  }

  // The children still alive, in the order they were added; the list is left empty.
  std::vector<plat::lang::Ref<T>> takeAll() {
    std::vector<plat::lang::WeakRef<T>> taken;
    {
      std::lock_guard lock(mu_);
      taken.swap(items_);
    }
    std::vector<plat::lang::Ref<T>> alive;
    for (auto& w : taken) {
      if (auto held = w.lock()) alive.push_back(std::move(held));
    }
    return alive;
  }

  std::size_t size() {
    std::lock_guard lock(mu_);
    prune();
    return items_.size();
  }

 private:
  void prune() {
    items_.erase(std::remove_if(items_.begin(), items_.end(), [](const auto& w) { return w.expired(); }), items_.end());
  }

  std::mutex mu_;
  std::vector<plat::lang::WeakRef<T>> items_;  // guarded by mu_
};

}  // namespace quenlora::zafoli::db::jdbc
