// The value list of one row. The values of a row read from the wire are made in place in room allocated with the
// list itself, with no reference count of their own, and live as long as the list; one handed out alone holds the
// whole list. The list of a row built locally holds the values it was given instead.
// Thread contract: emplace only while the list is filled, by the thread filling it; then size, at and share from
// any thread (each value follows Field's contract).
#pragma once

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/Field.h"
#include "quenlora/zafoli/db/net/RowLock.h"

namespace quenlora::zafoli::db::net {

class RowValues {
  struct Room;

 public:
  // An empty list with room for `count` values (the sender's claim: room is capped, and values beyond it are
  // allocated one by one), in one allocation with the list.
  static std::shared_ptr<RowValues> make(int count);
  // A list of values made elsewhere, which it holds.
  explicit RowValues(std::vector<plat::lang::Ref<Field>> held);
  // For make only.
  RowValues(const Room& room, std::size_t slots, std::size_t roomBytes);
  ~RowValues();
  RowValues(const RowValues&) = delete;
  RowValues& operator=(const RowValues&) = delete;

  // A new, empty value of kind T at the end of the list.
  template <class T>
  T& emplace() {
    static_assert(alignof(T) <= alignof(std::max_align_t));
    const std::size_t start = (used_ + alignof(T) - 1) / alignof(T) * alignof(T);
    if (size_ < slotCount_ && start + sizeof(T) <= roomBytes_) [[likely]] {
      T* value = ::new (static_cast<void*>(room_ + start)) T();
      used_ = start + sizeof(T);
      slots_[size_++] = value;
      return *value;
    }
    return emplaceOutside<T>();
  }
  // Called once the list is filled: the next list of as many values on this thread gets room for what this one
  // used.
  void filled() const;

  std::size_t size() const { return size_; }
  // Value i (0-based, below size()), unchecked.
  Field& at(std::size_t i) const { return i < slotCount_ ? *slots_[i] : *more_[i - slotCount_]; }
  // Value i as a reference of its own, which holds the list it lives in; self is a reference to this list.
  plat::lang::Ref<Field> share(std::size_t i, const std::shared_ptr<const RowValues>& self) const;

 private:
  // Where make's allocation put the room after the list's control block.
  struct Room {
    unsigned char* start = nullptr;
  };

  // A value that did not fit in the room or the slots, allocated alone.
  template <class T>
  T& emplaceOutside() {
    void* memory = ::operator new(sizeof(T));
    T* value = nullptr;
    try {
      value = ::new (memory) T();
      append(value);
    } catch (...) {
      if (value != nullptr) value->~T();
      ::operator delete(memory);
      throw;
    }
    missed_ += sizeof(T);
    return *value;
  }
  void append(Field* value);
  bool inRoom(const void* memory) const;

  Field** slots_ = nullptr;  // the first values, in the room
  std::size_t slotCount_ = 0;
  std::vector<Field*> more_;  // values past the slots
  std::size_t size_ = 0;
  unsigned char* room_ = nullptr;  // values' room, after the slots
  std::size_t roomBytes_ = 0;
  std::size_t used_ = 0;
  std::size_t missed_ = 0;                    // bytes that did not fit and came from the heap
  std::vector<plat::lang::Ref<Field>> held_;  // a locally built row's values; empty for values made in place
  mutable RowLock shareLock_;
};

}  // namespace quenlora::zafoli::db::net
