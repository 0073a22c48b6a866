// The runtime's enumeration: hasMoreElements()/nextElement() over a sequence, NoSuchElementException past its end.
// SnapshotEnumeration walks a copy taken when it was made, so later changes of the source do not disturb it.
// An enumeration is used by one thread at a time.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/NoSuchElementException.h"

namespace plat::util {

template <class T>
class Enumeration : public plat::lang::Object {
 public:
  ~Enumeration() override = default;
  virtual bool hasMoreElements() = 0;
  virtual T nextElement() = 0;
};

template <class T>
class SnapshotEnumeration : public Enumeration<T> {
 public:
  SnapshotEnumeration() = default;
  explicit SnapshotEnumeration(std::vector<T> items) : items_(std::move(items)) {}

  bool hasMoreElements() override { return next_ < items_.size(); }
  T nextElement() override {
    if (next_ >= items_.size()) throw NoSuchElementException();
    return items_[next_++];
  }

  // The whole snapshot, whatever was already handed out.
  const std::vector<T>& items() const { return items_; }

 private:
  std::vector<T> items_;
  std::size_t next_ = 0;  // <= items_.size()
};

}  // namespace plat::util
