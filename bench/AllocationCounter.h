// Counts every allocation of a benchmark program, so it can report allocations per item beside its rates.
// It replaces the global operator new and delete: include it from the one source file of a benchmark program.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

// Relaxed counting: readers only take differences around the work they measure on the same thread.
inline std::atomic<std::int64_t> g_allocations{0};

// GCC cannot see that these replace the global pair, and warns that free() meets memory from new.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
#pragma GCC diagnostic pop
