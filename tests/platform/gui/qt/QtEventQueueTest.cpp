// The Qt event queue on the offscreen platform: tasks reach the GUI thread in order, invokeAndWait waits for them
// from a worker and rethrows their failures with their type, and a failing later task does not stop the loop.
#include "platform/gui/qt/QtEventQueue.h"

#include <gtest/gtest.h>

#include <QThread>
#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using qttest::app;
using qttest::pumpUntil;
using qttest::Worker;

bool onGuiThread() {
  return QThread::currentThread() == app().thread();
}

class QtEventQueueTest : public ::testing::Test {
 protected:
  QApplication& application = app();  // before the queue, which needs it
  QtEventQueue queue;
};

TEST_F(QtEventQueueTest, InvokeLaterRunsOnTheGuiLoopInOrder) {
  std::vector<int> order;
  std::vector<bool> onGui;
  for (int i = 0; i < 20; ++i) {
    queue.invokeLater([&, i] {
      order.push_back(i);
      onGui.push_back(onGuiThread());
    });
  }
  // Nothing runs before the loop does.
  EXPECT_TRUE(order.empty());
  ASSERT_TRUE(pumpUntil([&] { return order.size() == 20; }));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(order[i], i);
    EXPECT_TRUE(onGui[i]);
  }
}

TEST_F(QtEventQueueTest, InvokeLaterFromAWorkerReachesTheGuiThread) {
  std::atomic<bool> ranOnGui{false};
  Worker worker([&] { queue.invokeLater([&] { ranOnGui = onGuiThread(); }); });
  ASSERT_TRUE(pumpUntil([&] { return ranOnGui.load(); }));
  EXPECT_TRUE(worker.pumpUntilFinished());
}

TEST_F(QtEventQueueTest, InvokeAndWaitFromAWorkerRunsOnTheGuiThreadBeforeReturning) {
  std::atomic<bool> ran{false};
  std::atomic<bool> ranOnGui{false};
  std::atomic<bool> ranBeforeReturn{false};
  std::atomic<bool> workerIsDispatcher{true};
  Worker worker([&] {
    workerIsDispatcher = queue.isDispatchThread();
    queue.invokeAndWait([&] {
      ranOnGui = onGuiThread();
      ran = true;
    });
    ranBeforeReturn = ran.load();
  });
  ASSERT_TRUE(worker.pumpUntilFinished());
  EXPECT_TRUE(ranOnGui);
  EXPECT_TRUE(ranBeforeReturn);
  EXPECT_FALSE(workerIsDispatcher);
  EXPECT_TRUE(queue.isDispatchThread());
}

TEST_F(QtEventQueueTest, InvokeAndWaitRethrowsTheTasksExceptionWithItsType) {
  std::string caught;
  Worker worker([&] {
    try {
      queue.invokeAndWait([] { throw plat::lang::IllegalStateException("bad state"); });
    } catch (const plat::lang::IllegalStateException& e) {
      caught += "IllegalState:" + e.getMessage() + ";";
    } catch (...) {
      caught += "other;";
    }
    try {
      queue.invokeAndWait([] { throw std::runtime_error("plain"); });
    } catch (const std::runtime_error& e) {
      caught += std::string("runtime:") + e.what() + ";";
    } catch (...) {
      caught += "other;";
    }
    // The loop survives both.
    queue.invokeAndWait([&] { caught += "ran"; });
  });
  ASSERT_TRUE(worker.pumpUntilFinished());
  EXPECT_EQ(caught, "IllegalState:bad state;runtime:plain;ran");
}

TEST_F(QtEventQueueTest, InvokeAndWaitOnTheGuiThreadRunsInline) {
  std::vector<int> order;
  queue.invokeAndWait([&] {
    queue.invokeAndWait([&] { order.push_back(1); });
    order.push_back(2);
  });
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_THROW(queue.invokeAndWait([] { throw plat::lang::IllegalArgumentException("x"); }),
               plat::lang::IllegalArgumentException);
}

TEST_F(QtEventQueueTest, AFailingLaterTaskIsReportedAndTheNextOneStillRuns) {
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  bool next = false;
  queue.invokeLater([] { throw std::runtime_error("lost task"); });
  queue.invokeLater([&] { next = true; });
  ASSERT_TRUE(pumpUntil([&] { return next; }));
  EXPECT_EQ(capture.text(), "Exception in event dispatch thread: lost task\n");
}

}  // namespace
}  // namespace plat::gui::qt
