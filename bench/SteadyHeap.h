// Keeps the memory a benchmark program frees inside the process, so that its measured iterations run on pages it
// already has, on both sides of a ratio alike. Without it glibc hands a freed row cache of tens of megabytes back
// to the system between iterations, and whether it does depends on thresholds that earlier runs of the program
// moved: the next iteration pays a page fault per 4 KB touched (about 10 us each on a paravirtual guest), while a
// reference with a smaller working set, or one measured after such a run, pays none. The benchmarks that use it
// also make one untimed pass before their measured iterations, so that a new process's first touch of its memory
// is not measured either.
#pragma once

#include <malloc.h>

#include <climits>

namespace bench {

// Call first thing in main(). Fixed thresholds also stop glibc from moving them as blocks are freed.
inline void keepFreedMemory() {
  ::mallopt(M_TRIM_THRESHOLD, INT_MAX);
  ::mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);  // the largest glibc takes: big blocks come from the reused heap
}

}  // namespace bench
