#include "platform/thread/Thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/lang/Exceptions.h"
#include "platform/thread/ThreadExceptions.h"

namespace plat::thread {
namespace {

using plat::lang::makeRef;

// Long enough that a healthy test never meets it; only a hang does.
constexpr std::int64_t kHangGuardMs = 20'000;

TEST(Thread, RunsItsBodyAndJoins) {
  std::atomic<int> runs{0};
  Thread t([&] { ++runs; });
  EXPECT_FALSE(t.isAlive());
  t.start();
  ASSERT_TRUE(t.join(kHangGuardMs));
  EXPECT_FALSE(t.isAlive());
  EXPECT_EQ(runs.load(), 1);
  EXPECT_THROW(t.start(), IllegalThreadStateException);
  t.join();  // joining an ended thread returns at once
}

TEST(Thread, SubclassRunAndCurrentThread) {
  class Worker : public Thread {
   public:
    Worker() : Thread(std::string("worker-1")) {}
    ~Worker() override { stopAndJoin(); }
    void run() override {
      seenSelf = currentThread() == this;
      seenName = currentThread()->getName();
    }
    std::atomic<bool> seenSelf{false};
    std::string seenName;
  };
  auto w = makeRef<Worker>();
  w->start();
  ASSERT_TRUE(w->join(kHangGuardMs));
  EXPECT_TRUE(w->seenSelf.load());
  EXPECT_EQ(w->seenName, "worker-1");
  EXPECT_EQ(Thread::currentThread(), nullptr);  // the test's own thread was not started by us
  EXPECT_EQ(w->toString(), "Thread[worker-1,5,main]");
}

TEST(Thread, CooperativeStopEndsALoop) {
  std::atomic<long> turns{0};
  auto t = makeRef<Thread>([&] {
    while (!Thread::currentThread()->isStopRequested()) {
      ++turns;
      try {
        Thread::sleep(1);
      } catch (const plat::lang::InterruptedException&) {
      }
    }
  });
  t->start();
  while (turns.load() == 0) Thread::sleep(1);
  EXPECT_TRUE(t->isAlive());
  t->requestStop();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_TRUE(t->isStopRequested());
}

TEST(Thread, InterruptWakesASleepEarly) {
  std::atomic<bool> started{false};
  std::atomic<bool> interrupted{false};
  std::string message;
  auto t = makeRef<Thread>([&] {
    started = true;
    try {
      Thread::sleep(10 * kHangGuardMs);
    } catch (const plat::lang::InterruptedException& e) {
      interrupted = true;
      message = e.getMessage();
      // Catching the interruption cleared the flag.
      if (Thread::currentThread()->isInterrupted()) message += " (flag still set)";
    }
  });
  t->start();
  while (!started.load()) Thread::sleep(1);
  t->interrupt();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_TRUE(interrupted.load());
  EXPECT_EQ(message, "sleep interrupted");
}

TEST(Thread, InterruptBeforeSleepIsKept) {
  std::atomic<bool> interrupted{false};
  auto t = makeRef<Thread>([&] {
    Thread::currentThread()->interrupt();
    try {
      Thread::sleep(10 * kHangGuardMs);
    } catch (const plat::lang::InterruptedException&) {
      interrupted = true;
    }
  });
  t->start();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_TRUE(interrupted.load());
}

TEST(Thread, InterruptedFlagIsTestedAndCleared) {
  auto t = makeRef<Thread>([] {});
  t->interrupt();
  EXPECT_TRUE(t->isInterrupted());
  EXPECT_FALSE(Thread::interrupted());  // the calling thread's flag, not t's
}

TEST(Thread, JoinWithTimeoutAnswersWhetherTheThreadEnded) {
  auto t = makeRef<Thread>([] {
    try {
      Thread::sleep(10 * kHangGuardMs);
    } catch (const plat::lang::InterruptedException&) {
    }
  });
  t->start();
  EXPECT_FALSE(t->join(1));
  EXPECT_TRUE(t->isAlive());
  t->interrupt();
  EXPECT_TRUE(t->join(kHangGuardMs));
}

TEST(Thread, InterruptedJoinThrows) {
  auto sleeper = makeRef<Thread>([] {
    try {
      Thread::sleep(10 * kHangGuardMs);
    } catch (const plat::lang::InterruptedException&) {
    }
  });
  std::atomic<bool> joinInterrupted{false};
  auto joiner = makeRef<Thread>([&] {
    try {
      sleeper->join();
    } catch (const plat::lang::InterruptedException&) {
      joinInterrupted = true;
    }
  });
  sleeper->start();
  joiner->start();
  while (!joinInterrupted.load() && joiner->isAlive()) {
    joiner->interrupt();
    Thread::sleep(1);
  }
  ASSERT_TRUE(joiner->join(kHangGuardMs));
  EXPECT_TRUE(joinInterrupted.load());
  EXPECT_TRUE(sleeper->isAlive());
  sleeper->interrupt();
  EXPECT_TRUE(sleeper->join(kHangGuardMs));
}

TEST(Thread, JoiningItselfIsRefused) {
  std::atomic<bool> refused{false};
  auto t = makeRef<Thread>([&] {
    try {
      Thread::currentThread()->join();
    } catch (const IllegalThreadStateException&) {
      refused = true;
    }
  });
  t->start();
  ASSERT_TRUE(t->join(kHangGuardMs));
  EXPECT_TRUE(refused.load());
}

TEST(Thread, DestructorStopsInterruptsAndJoinsARunningThread) {
  std::atomic<bool> ended{false};
  {
    Thread t([&] {
      while (!Thread::currentThread()->isStopRequested()) {
        try {
          Thread::sleep(10 * kHangGuardMs);
        } catch (const plat::lang::InterruptedException&) {
        }
      }
      ended = true;
    });
    t.start();
    Thread::sleep(1);
  }
  EXPECT_TRUE(ended.load());
}

TEST(Thread, DroppedReferenceKeepsTheThreadRunningToItsEnd) {
  auto done = std::make_shared<std::atomic<bool>>(false);
  auto gate = std::make_shared<std::atomic<bool>>(false);
  std::weak_ptr<Thread> watch;
  {
    auto t = makeRef<Thread>([done, gate] {
      while (!gate->load()) Thread::sleep(1);
      done->store(true);
    });
    watch = t;
    t->start();
  }
  EXPECT_FALSE(watch.expired());  // the running body holds its own thread
  gate->store(true);
  for (int i = 0; i < kHangGuardMs && !watch.expired(); ++i) Thread::sleep(1);
  EXPECT_TRUE(done->load());
  EXPECT_TRUE(watch.expired());
}

TEST(Thread, EscapingExceptionEndsOnlyThatThread) {
  auto t = makeRef<Thread>([] { throw plat::lang::IllegalStateException("boom"); });
  testing::internal::CaptureStderr();
  t->start();
  ASSERT_TRUE(t->join(kHangGuardMs));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("plat::lang::IllegalStateException: boom"), std::string::npos) << err;
}

TEST(Thread, NamesAreSettableAndDefaultsDiffer) {
  Thread a([] {});
  Thread b([] {});
  EXPECT_NE(a.getName(), b.getName());
  EXPECT_EQ(a.getName().rfind("Thread-", 0), 0u);
  a.setName("poller");
  EXPECT_EQ(a.getName(), "poller");
}

}  // namespace
}  // namespace plat::thread
