// The value list of one row. Values read from the wire are made in place in the row's arena block, with no
// reference count of their own, and live as long as the list; one handed out alone holds the whole list. The list
// of a row built locally holds the values it was given instead.
// Thread contract: emplace only while the list is filled, by the thread filling it; then size, at and share from
// any thread (each value follows Field's contract).
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/RowArena.h"
#include "quenlora/zafoli/db/net/RowLock.h"

namespace quenlora::zafoli::db::net {

class RowValues {
 public:
  // An empty list for values made in place, its storage and theirs from the allocator.
  RowValues(const RowArena::Allocator<Field*>& allocator, std::size_t reserved);
  // A list of values made elsewhere, which it holds.
  explicit RowValues(std::vector<plat::lang::Ref<Field>> held);
  ~RowValues();
  RowValues(const RowValues&) = delete;
  RowValues& operator=(const RowValues&) = delete;

  // A new, empty value of kind T at the end of the list.
  template <class T>
  T& emplace() {
    // Room in the list first, so that a failure after the value is made cannot lose it.
    if (values_.size() == values_.capacity()) values_.reserve(values_.empty() ? 4 : values_.size() * 2);
    RowArena::Allocator<T> allocator(values_.get_allocator());
    T* value = allocator.allocate(1);
    try {
      ::new (static_cast<void*>(value)) T();
    } catch (...) {
      allocator.deallocate(value, 1);
      throw;
    }
    values_.push_back(value);
    return *value;
  }

  std::size_t size() const { return values_.size(); }
  // Value i (0-based, below size()), unchecked.
  Field& at(std::size_t i) const { return *values_[i]; }
  // Value i as a reference of its own, which holds the list it lives in; self is a reference to this list.
  plat::lang::Ref<Field> share(std::size_t i, const std::shared_ptr<const RowValues>& self) const;

 private:
  std::vector<Field*, RowArena::Allocator<Field*>> values_;
  std::vector<plat::lang::Ref<Field>> held_;  // a locally built row's values; empty for values made in place
  mutable RowLock shareLock_;
};

}  // namespace quenlora::zafoli::db::net
