// Prints which CPUs a benchmark run may use, so its figures can be read as pinned (one CPU) or not.
#pragma once

#include <sched.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace bench {

inline void printAffinity() {
  cpu_set_t set;
  CPU_ZERO(&set);
  if (::sched_getaffinity(0, sizeof set, &set) != 0) return;
  std::string cpus;
  for (int c = 0; c < CPU_SETSIZE; ++c) {
    if (CPU_ISSET(c, &set)) cpus += (cpus.empty() ? "" : ",") + std::to_string(c);
  }
  std::printf("pinned to CPU(s) %s (%d of %ld online)\n", cpus.c_str(), CPU_COUNT(&set),
              ::sysconf(_SC_NPROCESSORS_ONLN));
}

}  // namespace bench
