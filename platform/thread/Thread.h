// A thread of the runtime's shape: made with a body or subclassed with run(), started once, joined, with a
// cooperative stop flag and an interrupt that wakes sleep(), join() and Monitor::wait() of that thread early with
// InterruptedException. All operations may be called from any thread.
//
// A started Thread held by a Ref keeps itself alive until its body ends, as the runtime's threads do, so a caller
// may drop a thread it does not need to join. A Thread destroyed while its body still runs (one not held by a Ref)
// is asked to stop, interrupted and joined; a subclass whose run() uses its own members must call stopAndJoin() in
// its own destructor, because those members are gone by the time ~Thread runs.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Object.h"

namespace plat::thread {

namespace detail {
struct ThreadState;
}

class Thread : public plat::lang::Object {
 public:
  // A thread whose run() a subclass overrides.
  Thread();
  explicit Thread(std::string name);
  // A thread that runs body.
  explicit Thread(std::function<void()> body, std::string name = {});
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  ~Thread() override;

  // Starts the body on a new thread; IllegalThreadStateException when it was started before.
  void start();
  // The body; by default the function given at construction.
  virtual void run();

  // Waits for the body to end. InterruptedException when the waiting thread is interrupted first.
  void join();
  // Waits at most timeoutMs (0 waits without limit, as the runtime does); answers whether the body has ended.
  bool join(std::int64_t timeoutMs);
  // Started and not yet ended.
  bool isAlive() const;

  // The cooperative stop flag: the body tests it at its safe points.
  void requestStop() { stopRequested_.store(true); }
  bool isStopRequested() const { return stopRequested_.load(); }
  // Requests a stop, interrupts and joins; safe to call more than once and from the thread's own body (then it
  // does not join).
  void stopAndJoin();

  // Sets the interrupt flag and wakes the thread if it sleeps, joins or waits on a Monitor.
  void interrupt();
  bool isInterrupted() const;

  void setName(const std::string& name);
  std::string getName() const;
  // The runtime's text: "Thread[" name ",5,main]".
  std::string toString() const override;

  // The Thread whose body is running on the calling thread; nullptr on a thread we did not start.
  static Thread* currentThread();
  // Sleeps ms milliseconds; InterruptedException ("sleep interrupted") when the calling thread is or gets
  // interrupted, which clears its flag.
  static void sleep(std::int64_t ms);
  // Clears the calling thread's interrupt flag and answers whether it was set.
  static bool interrupted();

 private:
  void runBody();
  // Joins the operating-system thread once the body has ended.
  void reap();

  std::function<void()> body_;
  std::shared_ptr<detail::ThreadState> state_;  // shared with the running thread
  std::atomic<bool> stopRequested_{false};

  mutable std::mutex mutex_;
  std::string name_;                                           // guarded by mutex_
  bool started_ = false;                                       // guarded by mutex_
  bool finished_ = false;                                      // guarded by mutex_
  std::vector<std::shared_ptr<detail::ThreadState>> joiners_;  // threads waiting in join(); guarded by mutex_
  std::thread thread_;                                         // guarded by reapMutex_ once started
  std::mutex reapMutex_;
};

}  // namespace plat::thread
