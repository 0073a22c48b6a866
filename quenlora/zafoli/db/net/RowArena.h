// One heap block for the values of a row being decoded, instead of one allocation per value. Each value keeps its
// own reference count and may outlive its row; the block is freed when the last object made with it goes. While a
// Scope is open on a thread, make() and allocator() take from its block what fits and the heap for the rest. Any
// thread may release objects made in a block.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::net {

class RowArena {
  struct Block;
  struct ThreadState;

 public:
  // A block for about `objects` objects is current on this thread until the scope ends (the previous one, if any,
  // after that). The scope's own hold on the block ends with it.
  class Scope {
   public:
    // extraBytes: room beyond the objects, for storage taken through allocator() (a row's value list).
    explicit Scope(std::size_t objects, std::size_t extraBytes = 0);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ThreadState& thread_;  // this thread's state, looked up once
    Block* previous_;
    std::size_t objects_;
    std::size_t extraBytes_;
  };

  // A standard allocator over the block that was current when it was made (the heap when none was): what fits
  // comes from the block and keeps it alive, the rest from the heap.
  template <class T>
  struct Allocator {
    using value_type = T;
    explicit Allocator(Block* b) : block(b) {}
    template <class U>
    Allocator(const Allocator<U>& other) : block(other.block) {}  // NOLINT: rebinding is implicit by design
    T* allocate(std::size_t n) { return static_cast<T*>(take(block, n * sizeof(T), alignof(T))); }
    void deallocate(T* p, std::size_t /*n*/) { give(block, p); }
    template <class U>
    bool operator==(const Allocator<U>& other) const {
      return block == other.block;
    }
    Block* block;
  };

  // A new T from the current block when one is open and has room, else from the heap.
  template <class T>
  static plat::lang::Ref<T> make() {
    if (Block* block = current()) return std::allocate_shared<T>(Allocator<T>(block));
    return std::make_shared<T>();
  }
  // An allocator over the current block, or over the heap when no scope is open.
  template <class T>
  static Allocator<T> allocator() {
    return Allocator<T>(current());
  }

 private:
  // While its scope is open, a block holds `spare` holds paid in advance, so making an object costs no atomic
  // operation: it takes one of them. The scope gives back the unused ones, with its own, when it ends.
  struct alignas(std::max_align_t) Block {
    std::atomic<std::size_t> holds{1};  // the scope's and its spare ones, plus one per live object made with it
    std::size_t spare = 0;              // touched only by the scope's thread while the scope is open
    std::size_t used = 0;
    std::size_t capacity = 0;
    std::size_t missed = 0;  // bytes that did not fit and came from the heap
  };
  // What the last block of a thread needed: rows of one result have the same kinds of values, so a block for the
  // same number of objects is sized to what the last one used instead of to the largest kind.
  struct Shape {
    std::size_t objects = 0;
    std::size_t extraBytes = 0;
    std::size_t needed = 0;
  };

  // The current block and the last block's shape of one thread, together so a scope finds both in one lookup.
  struct ThreadState {
    Block* current = nullptr;
    Shape last;
  };

  static Block* current() { return state_.current; }
  static unsigned char* dataOf(Block* block) { return reinterpret_cast<unsigned char*>(block + 1); }
  // size bytes from the block when they fit, else from the heap; either way one more hold on the block, if any.
  static void* take(Block* block, std::size_t size, std::size_t align);
  // Gives back what take gave: heap memory, and the hold on the block.
  static void give(Block* block, void* p);
  static void release(Block* block, std::size_t holds = 1);

  // Initial-exec, as the reading state of NetClass: made objects reach it without a resolver call.
  [[gnu::tls_model("initial-exec")]] static thread_local ThreadState state_;
};

}  // namespace quenlora::zafoli::db::net
