// Tells the worker whether a claim file is still held open for writing by some process, so that a producer that
// pauses between its writes never has half a claim taken. A read lease answers for any file the kernel lets us
// lease; where it is refused for want of the right or not offered by the file system, the send folder's
// close-after-write events answer; where neither works, nothing does and the stillness rule alone decides.
// Thread contract: one thread (the worker's).
#pragma once

#include <set>
#include <string>

class WriterCheck {
 public:
  enum class Verdict {
    Free,     // no process holds it open for writing; with a lease, none can open it so until the fd is closed
    Writing,  // a process holds it open for writing (or wrote to it and has not closed it yet)
    Unknown,  // no check could tell
  };

  // Probes the lease on a scratch file in `dir` and watches `dir` for close-after-write events. `useLeases`
  // false leaves the lease out, as on a file system without them.
  explicit WriterCheck(const std::string& dir, bool useLeases = true);
  ~WriterCheck();
  WriterCheck(const WriterCheck&) = delete;
  WriterCheck& operator=(const WriterCheck&) = delete;

  // `fd` is the file `name` of the folder, open read-only. A Free verdict from the lease keeps the lease on `fd`
  // until it is closed.
  Verdict check(int fd, const std::string& name);

  // The one start-up line that says which check is in use.
  std::string describe() const;
  bool leases() const { return leases_; }
  bool events() const { return inotifyFd_ >= 0; }

 private:
  // Reads the events that came in since the last call.
  void drainEvents();

  bool leases_ = false;
  int probeErr_ = 0;  // why the probe lease was refused
  int inotifyFd_ = -1;
  int watchErr_ = 0;            // why the folder cannot be watched
  std::set<std::string> open_;  // names written to since their last close-after-write
};
