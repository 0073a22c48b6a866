#include "claim/Clock.h"

#include <chrono>
#include <mutex>

namespace {
std::mutex& clockMutex() {
  static std::mutex mu;
  return mu;
}
}  // namespace

plat::time::DateTime Clock::getDate() {
  std::lock_guard<std::mutex> lock(clockMutex());
  return plat::time::DateTime::now();
}

std::int64_t Clock::getTime() {
  std::lock_guard<std::mutex> lock(clockMutex());
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}
