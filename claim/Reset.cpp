#include "claim/Reset.h"

#include "claim/Parameters.h"
#include "claim/SystemLog.h"
#include "platform/lang/Exceptions.h"

Reset::Reset() : Thread("Reset") {}

Reset::~Reset() {
  Halt();
  stopAndJoin();
}

void Reset::Halt() {
  running.store(false);
  // The interval is half an hour by default: waking the sleep lets shut-down join the thread at once.
  interrupt();
}

void Reset::run() {
  while (running.load()) {
    const int interval = Parameters::getInstance()->getResetTime();
    try {
      // 0 turns the host reset off; the thread still wakes now and then to see a new interval after a Reset.
      Thread::sleep(interval > 0 ? interval : kOffRecheckMs);
    } catch (const plat::lang::InterruptedException& e) {
      // Our own Halt interrupts the sleep; only an interruption from elsewhere is worth a line.
      if (running.load()) SystemLog::getInstance()->writeLog(e.getMessage());
      continue;
    }
    if (!running.load()) break;
    if (interval <= 0) continue;
    auto params = Parameters::getInstance();
    if (params->getCurrentIP() != 0) params->resetIPAddress();
  }
}
