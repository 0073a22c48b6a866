// Keeps a second Claimora from working in the same working folder, where both would take the same claims: an
// exclusive lock on the folder itself, held until the process ends. Called once, from main.
#pragma once

#include <string>

class InstanceLock {
 public:
  InstanceLock() = delete;

  // True when this process now holds the lock of the working folder (or the folder's file system has no locks);
  // false, with the reason in `why`, when another process holds it or the folder cannot be opened.
  static bool acquire(std::string& why);
};
