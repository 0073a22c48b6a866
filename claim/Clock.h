// The current date and time for the claim program's log lines. Stateless; both operations are serialised and may
// be called from any thread.
#pragma once

#include <cstdint>

#include "platform/time/DateTime.h"

class Clock {
 public:
  Clock() = delete;

  // The current date and time; its toString() is the English date text of a log line.
  static plat::time::DateTime getDate();
  // The current time in milliseconds since the epoch.
  static std::int64_t getTime();
};
