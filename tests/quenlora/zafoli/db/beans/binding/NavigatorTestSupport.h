// Shared arrangement of the query-navigator tests: an employee table in memory behind a MemoryQueryNavigator with
// a MemoryLink and a MemoryConnection, published on a fresh data bus, with one recorder of every navigator event
// and one of the task bus, and consumers that write the current record into RecordingBeans.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/ChainTasks.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventListener.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryLink.h"
#include "testkit/beans/MemoryQueryNavigator.h"
#include "testkit/beans/MemoryRecord.h"
#include "testkit/beans/MemoryTable.h"
#include "testkit/beans/RecordingBean.h"

namespace quenlora::zafoli::db::beans::binding::testing {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::MemoryConnection;
using testkit::beans::MemoryLink;
using testkit::beans::MemoryQueryNavigator;
using testkit::beans::MemoryRecord;
using testkit::beans::MemoryTable;
using testkit::beans::RecordingBean;

// Every event of a navigator as one short line: "before 2 row 1", "boundary 9", "after 2 row 1",
// "column-before 0 col 1", "save-after 0 type 2", "exception 3 NO ROWS".
class EventLog : public plat::lang::Object,
                 public event::RecordNavigateEventListener,
                 public event::ColumnDataEventListener,
                 public event::RecordSaveEventListener,
                 public ExceptionEventListener {
 public:
  void onBeforeRecordNavigate(const event::RecordNavigateEvent& e) override {
    add("before " + std::to_string(e.getEventType()) + " row " + std::to_string(e.getRowNumber()));
  }
  void onAfterRecordNavigate(const event::RecordNavigateEvent& e) override {
    add("after " + std::to_string(e.getEventType()) + " row " + std::to_string(e.getRowNumber()));
  }
  void onBoundaryRecord(const event::RecordNavigateEvent& e) override {
    add("boundary " + std::to_string(e.getEventType()));
  }
  void onBeforeColumnDataChange(const event::ColumnDataEvent& e) override {
    add("column-before " + std::to_string(e.getEventType()) + " col " + std::to_string(e.getColumnNumber()));
  }
  void onAfterColumnDataChange(const event::ColumnDataEvent& e) override {
    add("column-after " + std::to_string(e.getEventType()) + " col " + std::to_string(e.getColumnNumber()));
  }
  void onBeforeRecordSave(const event::RecordSaveEvent& e) override {
    add("save-before " + std::to_string(e.getEventType()) + " type " + std::to_string(e.getRecordSaveType()));
  }
  void onAfterRecordSave(const event::RecordSaveEvent& e) override {
    add("save-after " + std::to_string(e.getEventType()) + " type " + std::to_string(e.getRecordSaveType()));
    if (afterSave) afterSave(e);
  }
  void handleExceptionEvent(const ExceptionEvent& e) override {
    add("exception " + std::to_string(e.getEventType()) + " " + e.getExceptionName());
  }

  std::vector<std::string> take() {
    auto lines = std::move(lines_);
    lines_.clear();
    return lines;
  }
  bool has(const std::string& line) const { return std::find(lines_.begin(), lines_.end(), line) != lines_.end(); }
  std::function<void(const event::RecordSaveEvent&)> afterSave;

 private:
  void add(std::string line) { lines_.push_back(std::move(line)); }
  std::vector<std::string> lines_;
};

// What the navigator announces on the task bus, as "START <chain>" and "END <chain>|<message>".
class TaskLog : public plat::lang::Object, public taskbus::TaskBusEventListener {
 public:
  explicit TaskLog(const QueryNavigator* source) : source_(source) {}
  void handleTaskBusEvent(const taskbus::TaskBusEvent& e) override {
    if (e.getSource() != source_) return;
    const std::string chain = e.getChainTasks() ? e.getChainTasks()->getName() : "-";
    std::string task = e.getApplicationTask() ? e.getApplicationTask()->getName() : "-";
    lines.push_back(e.getEventType() == taskbus::TaskBusEvent::START_TASK ? "START " + chain + " " + task
                                                                          : "END " + chain + "|" + e.getMessage());
  }
  std::vector<std::string> lines;

 private:
  const QueryNavigator* source_;
};

class NavigatorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RecordingBean::registerClass(plat::runvale::ClassRegistry::instance()); }

  void SetUp() override {
    databus::DataBus::initialize();
    Mediator::notifyOnStatic.store(false);
    Mediator::notifySizeOnStatic.store(true);
    table = makeRef<MemoryTable>("emp",
                                 std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER},
                                                                  {"NAME", plat::sql::Types::VARCHAR},
                                                                  {"SALARY", plat::sql::Types::DECIMAL}},
                                 0, true);
    connection = makeRef<MemoryConnection>();
    static int serial = 0;
    className = "test.navigator.Emp" + std::to_string(++serial);
    MemoryRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, table, connection);
  }

  void TearDown() override {
    if (tasks && taskbus::TaskBus::getInstance()) taskbus::TaskBus::getInstance()->removeTaskBusEventListener(tasks);
    for (auto& n : navigators) n->close();
    databus::DataBus::initialize();
  }

  // Rows 1..count named "N1".."Ncount" with salary 100 * id.
  void fill(int count) {
    for (int i = 1; i <= count; ++i) table->addRow({Value(i), Value("N" + std::to_string(i)), Value(100 * i)});
  }

  // A started navigator over the table under alias, linked, with the logs listening.
  Ref<MemoryQueryNavigator> start(const std::string& alias = "emp", bool linked = true) {
    auto navigator = makeRef<MemoryQueryNavigator>();
    navigator->setClassName(className);
    navigator->setAliasName(alias);
    // Registering the alias gave the navigator its place in a master/detail tree; these tests use a plain link.
    navigator->setLink(linked ? makeRef<MemoryLink>(navigator.get(), connection) : nullptr);
    log = makeRef<EventLog>();
    navigator->addRecordNavigateEventListener(log);
    navigator->addColumnDataEventListener(log);
    navigator->addRecordSaveEventListener(log);
    navigator->addExceptionEventListener(log);
    navigator->execute(true);
    tasks = makeRef<TaskLog>(navigator.get());
    taskbus::TaskBus::getInstance()->addTaskBusEventListener(tasks);
    navigators.push_back(navigator);
    return navigator;
  }

  // A consumer of one column of the current record.
  static Ref<Mediator> bind(const Ref<RecordingBean>& bean, const std::string& binding) {
    auto mediator = makeRef<Mediator>();
    mediator->setOutput(bean);
    mediator->setDataBinding(binding);
    mediator->setSetMethods({"setText(Value)"});
    mediator->setGetMethods({"getText()"});
    return mediator;
  }

  static std::string name(const Ref<QueryNavigator>& navigator) {
    auto record = std::dynamic_pointer_cast<PersistentObject>(navigator->getCurrentObject());
    return record ? record->getValueAsString(1, PersistentObject::MODIFIED_VALUE) : "<none>";
  }

  Ref<MemoryTable> table;
  Ref<MemoryConnection> connection;
  std::string className;
  Ref<EventLog> log;
  Ref<TaskLog> tasks;
  std::vector<Ref<QueryNavigator>> navigators;
};

}  // namespace quenlora::zafoli::db::beans::binding::testing
