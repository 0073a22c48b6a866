// The task bus: membership, announcements in order to a copy of the listeners, and the predefined tasks.
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <thread>

#include "quenlora/zafoli/db/beans/binding/ApplicationTask.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"

namespace quenlora::zafoli::db::beans::binding::taskbus {
namespace {

class Recorder : public TaskBusEventListener {
 public:
  explicit Recorder(std::string name, std::vector<std::string>* log) : name_(std::move(name)), log_(log) {}
  void handleTaskBusEvent(const TaskBusEvent& event) override {
    log_->push_back(name_ + ":" + event.getMessage());
    if (onEvent) onEvent(event);
  }
  std::function<void(const TaskBusEvent&)> onEvent;

 private:
  std::string name_;
  std::vector<std::string>* log_;
};

class Member : public TaskBusMember {
 public:
  plat::lang::Ref<TaskBus> getTaskBus() const override { return bus; }
  void setTaskBus(const plat::lang::Ref<TaskBus>& b) override { bus = b; }
  plat::lang::Ref<TaskBus> bus;
};

plat::lang::Ref<TaskBus> joinedBus() {
  auto member = std::make_shared<Member>();
  TaskBus::joinTaskBus(member);
  return member->bus;
}

TEST(TaskBus, EveryMemberGetsTheOneBus) {
  auto first = std::make_shared<Member>();
  auto second = std::make_shared<Member>();
  TaskBus::joinTaskBus(first);
  TaskBus::joinTaskBus(second);
  ASSERT_NE(first->bus, nullptr);
  EXPECT_EQ(first->bus, second->bus);
  EXPECT_EQ(TaskBus::getInstance(), first->bus);
  auto members = TaskBus::getMembers();
  auto at = [&](const std::shared_ptr<TaskBusMember>& m) { return std::find(members.begin(), members.end(), m); };
  ASSERT_NE(at(first), members.end());
  EXPECT_LT(at(first), at(second));  // join order
}

TEST(TaskBus, AnnouncesInRegistrationOrderWithTheEventsFields) {
  auto bus = joinedBus();
  std::vector<std::string> log;
  auto a = std::make_shared<Recorder>("a", &log);
  auto b = std::make_shared<Recorder>("b", &log);
  bus->addTaskBusEventListener(a);
  bus->addTaskBusEventListener(b);
  int seenType = -1;
  std::string seenSql;
  b->onEvent = [&](const TaskBusEvent& e) {
    seenType = e.getEventType();
    seenSql = e.getSQL();
    EXPECT_EQ(e.getChainTasks(), ChainTasks::applNext());
    EXPECT_EQ(e.getApplicationTask(), ApplicationTask::nextTask());
  };
  bus->announceData(TaskBusEvent(TaskBusEvent::END_TASK, ChainTasks::applNext(), ApplicationTask::nextTask(), nullptr,
                                 "m1", "select 1"));
  bus->removeTaskBusEventListener(a);
  bus->removeTaskBusEventListener(b);
  EXPECT_EQ(log, (std::vector<std::string>{"a:m1", "b:m1"}));
  EXPECT_EQ(seenType, TaskBusEvent::END_TASK);
  EXPECT_EQ(seenSql, "select 1");
}

TEST(TaskBus, ListenerLeavingOrJoiningDuringAnAnnouncementChangesOnlyLaterOnes) {
  auto bus = joinedBus();
  std::vector<std::string> log;
  auto a = std::make_shared<Recorder>("a", &log);
  auto b = std::make_shared<Recorder>("b", &log);
  auto late = std::make_shared<Recorder>("late", &log);
  a->onEvent = [&](const TaskBusEvent&) {
    bus->removeTaskBusEventListener(a);
    bus->addTaskBusEventListener(late);
  };
  bus->addTaskBusEventListener(a);
  bus->addTaskBusEventListener(b);
  bus->announceData(TaskBusEvent(TaskBusEvent::START_TASK, nullptr, nullptr, nullptr, "1"));
  bus->announceData(TaskBusEvent(TaskBusEvent::START_TASK, nullptr, nullptr, nullptr, "2"));
  bus->removeTaskBusEventListener(b);
  bus->removeTaskBusEventListener(late);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1", "b:2", "late:2"}));
}

// A listener that waits for another thread's announcement must not deadlock: listeners run outside the bus lock.
TEST(TaskBus, ListenerMayWaitForAnotherAnnouncingThread) {
  auto bus = joinedBus();
  std::vector<std::string> log;
  std::mutex m;
  std::condition_variable cv;
  bool otherDone = false;
  auto waiter = std::make_shared<Recorder>("w", &log);
  std::thread other;
  waiter->onEvent = [&](const TaskBusEvent& e) {
    if (e.getMessage() != "first") return;
    other = std::thread([&] {
      bus->announceData(TaskBusEvent(TaskBusEvent::MIDDLE_TASK, nullptr, nullptr, nullptr, "second"));
      std::lock_guard<std::mutex> lock(m);
      otherDone = true;
      cv.notify_all();
    });
    std::unique_lock<std::mutex> lock(m);
    EXPECT_TRUE(cv.wait_for(lock, std::chrono::seconds(10), [&] { return otherDone; }));
  };
  bus->addTaskBusEventListener(waiter);
  bus->announceData(TaskBusEvent(TaskBusEvent::START_TASK, nullptr, nullptr, nullptr, "first"));
  other.join();
  bus->removeTaskBusEventListener(waiter);
  EXPECT_EQ(log.size(), 2u);
}

TEST(ApplicationTask, PredefinedWeights) {
  EXPECT_DOUBLE_EQ(ApplicationTask::loadingApplication()->getWeight(*ChainTasks::applLoad()), 0.1);
  EXPECT_DOUBLE_EQ(ApplicationTask::connectingDB()->getWeight(*ChainTasks::applLoad()), 0.8);
  EXPECT_DOUBLE_EQ(ApplicationTask::loadingControls()->getWeight(*ChainTasks::applLoad()), 0.1);
  EXPECT_DOUBLE_EQ(ApplicationTask::nextTask()->getWeight(*ChainTasks::applSave()), 0.0);
  EXPECT_DOUBLE_EQ(ApplicationTask::nextTask()->getWeight(*ChainTasks::applFirst()), 1.0);
  EXPECT_EQ(ChainTasks::applLoadChain(), ChainTasks::TaskList{ApplicationTask::connectingDB()});
  EXPECT_EQ(ChainTasks::applLoad()->getTasks(), ChainTasks::applLoadChain());
  EXPECT_EQ(ChainTasks::applFirst()->getTasks(), ChainTasks::TaskList{ApplicationTask::nextTask()});
  auto group = ApplicationTask::loadingApplication()->getGroup();
  ASSERT_EQ(group.size(), 1u);
  EXPECT_TRUE(group[0].isStartTask());
  EXPECT_FALSE(group[0].isEndTask());
  EXPECT_EQ(group[0].getChainTasks(), ChainTasks::applLoad());
}

TEST(ApplicationTask, MembershipsMatchByChainName) {
  auto chain = plat::lang::makeRef<ChainTasks>("Saving");
  auto task = plat::lang::makeRef<ApplicationTask>("t");
  chain->addTask(task, 0.5, true, false);
  auto sameName = plat::lang::makeRef<ChainTasks>("Saving");
  EXPECT_DOUBLE_EQ(task->getWeight(*sameName), 0.5);
  EXPECT_DOUBLE_EQ(task->getWeight(ChainTasks("Other")), 0.0);
  auto group = task->getGroup();
  ASSERT_EQ(group.size(), 1u);
  EXPECT_TRUE(group[0] == ApplicationTask::TasksListMember(sameName, 9, false, false));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::taskbus
