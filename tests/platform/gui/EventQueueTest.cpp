#include "platform/gui/EventQueue.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/gui/HeadlessEventQueue.h"
#include "platform/lang/Exceptions.h"

namespace plat::gui {
namespace {

TEST(HeadlessEventQueueTest, TasksRunInOrderOnOneDispatcherThread) {
  HeadlessEventQueue queue;
  std::vector<int> order;
  std::vector<bool> onDispatcher;
  for (int i = 0; i < 50; ++i) {
    queue.invokeLater([&, i] {
      order.push_back(i);
      onDispatcher.push_back(queue.isDispatchThread());
    });
  }
  queue.invokeAndWait([] {});  // every earlier task has run once this returns
  ASSERT_EQ(order.size(), 50u);
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(order[i], i);
    EXPECT_TRUE(onDispatcher[i]);
  }
  EXPECT_FALSE(queue.isDispatchThread());
}

TEST(HeadlessEventQueueTest, InvokeAndWaitRethrowsTheTasksExceptionWithItsType) {
  HeadlessEventQueue queue;
  EXPECT_THROW(queue.invokeAndWait([] { throw plat::lang::IllegalStateException("bad"); }),
               plat::lang::IllegalStateException);
  EXPECT_THROW(queue.invokeAndWait([] { throw std::runtime_error("x"); }), std::runtime_error);
  // The dispatcher survives a failing task.
  bool ran = false;
  queue.invokeAndWait([&] { ran = true; });
  EXPECT_TRUE(ran);
}

TEST(HeadlessEventQueueTest, InvokeAndWaitFromTheDispatcherRunsInline) {
  HeadlessEventQueue queue;
  std::vector<int> order;
  queue.invokeAndWait([&] {
    queue.invokeAndWait([&] { order.push_back(1); });
    order.push_back(2);
  });
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST(HeadlessEventQueueTest, DestructionRunsQueuedTasks) {
  int count = 0;
  {
    HeadlessEventQueue queue;
    for (int i = 0; i < 10; ++i) queue.invokeLater([&] { ++count; });
  }
  EXPECT_EQ(count, 10);
}

TEST(EventQueueCurrentTest, DefaultIsHeadlessAndSettable) {
  auto initial = EventQueue::current();
  ASSERT_NE(initial, nullptr);
  bool ran = false;
  initial->invokeAndWait([&] { ran = initial->isDispatchThread(); });
  EXPECT_TRUE(ran);
  auto mine = std::make_shared<HeadlessEventQueue>();
  EventQueue::setCurrent(mine);
  EXPECT_EQ(EventQueue::current(), mine);
  EventQueue::setCurrent(nullptr);
  EXPECT_EQ(EventQueue::current(), initial);
}

}  // namespace
}  // namespace plat::gui
