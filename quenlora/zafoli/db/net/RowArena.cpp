#include "quenlora/zafoli/db/net/RowArena.h"

#include <new>

namespace quenlora::zafoli::db::net {

namespace {

// Room per object: the largest value kind with its reference-count block (88 bytes) fits. More would only spread
// the rows of a large result over more memory, and reading them back is bound by memory.
constexpr std::size_t kBytesPerObject = 96;
// A row's count is the sender's claim: past this many objects the rest come from the heap.
constexpr std::size_t kMaxObjects = 64;
// The same cap for extra room: a row's value list of kMaxObjects references.
constexpr std::size_t kMaxExtraBytes = kMaxObjects * sizeof(void*) * 2;

}  // namespace

[[gnu::tls_model("initial-exec")]] thread_local RowArena::ThreadState RowArena::state_;

RowArena::Scope::Scope(std::size_t objects, std::size_t extraBytes)
    : thread_(state_), previous_(thread_.current), objects_(objects), extraBytes_(extraBytes) {
  const Shape& last = thread_.last;
  const std::size_t capacity = last.objects == objects && last.extraBytes == extraBytes && last.needed > 0
                                   ? last.needed
                                   : (objects < kMaxObjects ? objects : kMaxObjects) * kBytesPerObject +
                                         (extraBytes < kMaxExtraBytes ? extraBytes : kMaxExtraBytes);
  void* raw = ::operator new(sizeof(Block) + capacity);
  Block* block = new (raw) Block();
  block->capacity = capacity;
  // Every object takes at least a byte, so no more objects than bytes fit.
  block->spare = capacity;
  block->holds.store(1 + capacity, std::memory_order_relaxed);
  thread_.current = block;
}

RowArena::Scope::~Scope() {
  Block* block = thread_.current;
  thread_.current = previous_;
  // Capped like the first estimate: a row of unusual values does not make the next blocks larger than that.
  const std::size_t cap = (objects_ < kMaxObjects ? objects_ : kMaxObjects) * kBytesPerObject +
                          (extraBytes_ < kMaxExtraBytes ? extraBytes_ : kMaxExtraBytes);
  const std::size_t needed = block->used + block->missed;
  thread_.last = Shape{objects_, extraBytes_, needed < cap ? needed : cap};
  release(block, block->spare + 1);
}

void* RowArena::take(Block* block, std::size_t size, std::size_t align) {
  if (!block) return ::operator new(size);
  // What did not fit holds the block too: give() must read the block to tell where the memory came from, and it
  // may run after every object inside the block has gone.
  if (block->spare > 0) {
    --block->spare;
  } else {
    block->holds.fetch_add(1, std::memory_order_relaxed);
  }
  const std::size_t start = (block->used + align - 1) / align * align;
  if (align <= alignof(Block) && start + size <= block->capacity) {
    block->used = start + size;
    return dataOf(block) + start;
  }
  block->missed += size + align;
  return ::operator new(size);
}

void RowArena::give(Block* block, void* p) {
  if (!block) {
    ::operator delete(p);
    return;
  }
  auto* bytes = static_cast<unsigned char*>(p);
  if (bytes < dataOf(block) || bytes >= dataOf(block) + block->capacity) ::operator delete(p);
  release(block);
}

void RowArena::release(Block* block, std::size_t holds) {
  if (block->holds.fetch_sub(holds, std::memory_order_acq_rel) != holds) return;
  block->~Block();
  ::operator delete(static_cast<void*>(block));
}

}  // namespace quenlora::zafoli::db::net
