#include "platform/thread/Monitor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/thread/Thread.h"
#include "platform/thread/ThreadExceptions.h"

namespace plat::thread {
namespace {

using plat::lang::makeRef;

constexpr std::int64_t kHangGuardMs = 20'000;

TEST(Monitor, IsReentrant) {
  Monitor m;
  {
    Synchronized outer(m);
    {
      Synchronized inner(m);
      EXPECT_TRUE(m.isHeldByCurrentThread());
    }
    EXPECT_TRUE(m.isHeldByCurrentThread());
  }
  EXPECT_FALSE(m.isHeldByCurrentThread());
}

TEST(Monitor, ExcludesOtherThreadsUntilFullyReleased) {
  Monitor m;
  m.lock();
  m.lock();
  std::atomic<bool> otherGotIt{false};
  auto t = makeRef<Thread>([&] {
    otherGotIt = m.tryLock();
    if (otherGotIt) m.unlock();
  });
  t->start();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_FALSE(otherGotIt.load());
  m.unlock();
  auto t2 = makeRef<Thread>([&] {
    otherGotIt = m.tryLock();
    if (otherGotIt) m.unlock();
  });
  t2->start();
  ASSERT_TRUE(t2->join(kHangGuardMs));
  EXPECT_FALSE(otherGotIt.load());  // still held once
  m.unlock();
  EXPECT_TRUE(m.tryLock());
  m.unlock();
}

TEST(Monitor, CountsStayConsistentUnderContention) {
  Monitor m;
  long counter = 0;
  std::vector<plat::lang::Ref<Thread>> threads;
  for (int i = 0; i < 4; ++i) {
    threads.push_back(makeRef<Thread>([&] {
      for (int k = 0; k < 2000; ++k) {
        Synchronized a(m);
        Synchronized b(m);
        ++counter;
      }
    }));
  }
  for (auto& t : threads) t->start();
  for (auto& t : threads) ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_EQ(counter, 8000);
}

// A turn passed round a ring of threads: each waits at two levels of re-entry until its turn comes, while the
// others block on entry, so lost wake-ups or a wrong level after wait() end in a hang or an unbalanced unlock.
TEST(Monitor, TurnsPassRoundThreadsWaitingAtTwoLevels) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 300;
  Monitor m;
  int turn = 0;  // guarded by m
  std::atomic<int> misplaced{0};
  std::vector<plat::lang::Ref<Thread>> threads;
  for (int me = 0; me < kThreads; ++me) {
    threads.push_back(makeRef<Thread>([&, me] {
      for (int round = 0; round < kRounds; ++round) {
        Synchronized outer(m);
        Synchronized inner(m);
        while (turn % kThreads != me) m.wait();
        if (!m.isHeldByCurrentThread()) ++misplaced;
        ++turn;
        m.notifyAll();
      }
    }));
  }
  for (auto& t : threads) t->start();
  for (auto& t : threads) ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_EQ(turn, kThreads * kRounds);
  EXPECT_EQ(misplaced.load(), 0);
  EXPECT_FALSE(m.isHeldByCurrentThread());
}

TEST(Monitor, MisuseWithoutOwnershipThrows) {
  Monitor m;
  EXPECT_THROW(m.unlock(), IllegalMonitorStateException);
  EXPECT_THROW(m.notify(), IllegalMonitorStateException);
  EXPECT_THROW(m.notifyAll(), IllegalMonitorStateException);
  EXPECT_THROW(m.wait(1), IllegalMonitorStateException);
}

TEST(Monitor, WaitReleasesEveryLevelAndNotifyWakes) {
  Monitor m;
  bool ready = false;
  int depthSeen = 0;
  std::atomic<bool> waiting{false};
  auto waiter = makeRef<Thread>([&] {
    Synchronized a(m);
    Synchronized b(m);
    waiting = true;
    while (!ready) m.wait();
    // Still held at both levels after the wait: unlocking twice must succeed.
    m.unlock();
    depthSeen = m.isHeldByCurrentThread() ? 2 : 1;
    m.lock();
  });
  waiter->start();
  while (!waiting.load()) Thread::sleep(1);
  {
    Synchronized s(m);  // gets in only once the waiter gave up both levels inside wait()
    ready = true;
    m.notify();
  }
  ASSERT_TRUE(waiter->join(kHangGuardMs));
  EXPECT_EQ(depthSeen, 2);
}

TEST(Monitor, NotifyAllWakesEveryWaiter) {
  Monitor m;
  int generation = 0;
  std::atomic<int> waiting{0};
  std::atomic<int> woken{0};
  std::vector<plat::lang::Ref<Thread>> threads;
  for (int i = 0; i < 3; ++i) {
    threads.push_back(makeRef<Thread>([&] {
      Synchronized s(m);
      ++waiting;
      while (generation == 0) m.wait();
      ++woken;
    }));
  }
  for (auto& t : threads) t->start();
  while (waiting.load() < 3) Thread::sleep(1);
  {
    Synchronized s(m);
    generation = 1;
    m.notifyAll();
  }
  for (auto& t : threads) ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_EQ(woken.load(), 3);
}

TEST(Monitor, TimedWaitReturnsWithoutNotify) {
  Monitor m;
  Synchronized s(m);
  m.wait(1);
  EXPECT_TRUE(m.isHeldByCurrentThread());
}

TEST(Monitor, InterruptEndsAWaitWithInterruptedException) {
  Monitor m;
  std::atomic<bool> waiting{false};
  std::atomic<bool> interrupted{false};
  std::atomic<bool> heldAfter{false};
  auto t = makeRef<Thread>([&] {
    Synchronized s(m);
    waiting = true;
    try {
      m.wait();
    } catch (const plat::lang::InterruptedException&) {
      interrupted = true;
      heldAfter = m.isHeldByCurrentThread();
    }
  });
  t->start();
  while (!waiting.load()) Thread::sleep(1);
  { Synchronized s(m); }  // the waiter has released the monitor inside wait()
  t->interrupt();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_TRUE(interrupted.load());
  EXPECT_TRUE(heldAfter.load());
}

}  // namespace
}  // namespace plat::thread
