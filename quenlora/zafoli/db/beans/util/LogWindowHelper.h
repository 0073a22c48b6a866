// The one place through which the data-binding library reports: short messages shown to the user in a message
// dialog of the process's dialog service, and log entries (a title and a text, such as every SQL statement under
// "SQL") announced on the task bus for whatever component follows it. There is no log window. One instance per
// process, made on first use; every operation may be called from any thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/taskbus/TaskBus.h"

namespace quenlora::zafoli::db::beans::util {

class LogWindowHelper {
 public:
  // The helper's member of the task bus: it announces the log entries and ignores every announcement it hears.
  class TaskAction : public plat::lang::Object,
                     public binding::taskbus::TaskBusMember,
                     public binding::taskbus::TaskBusEventListener {
   public:
    plat::lang::Ref<binding::taskbus::TaskBus> getTaskBus() const override;
    // Keeps the bus and registers as its listener.
    void setTaskBus(const plat::lang::Ref<binding::taskbus::TaskBus>& bus) override;
    void handleTaskBusEvent(const binding::taskbus::TaskBusEvent& event) override;
    // Announces START_TASK with no chain and no task, title as message and text as SQL; nothing without a bus.
    void printMessage(const std::string& title, const std::string& text);

    std::string getClassName() const override { return "quenlora.zafoli.db.beans.util.LogWindowHelper$TaskAction"; }

   private:
    mutable std::mutex mutex_;
    plat::lang::Ref<binding::taskbus::TaskBus> tb;  // guarded by mutex_
  };

  LogWindowHelper(const LogWindowHelper&) = delete;
  LogWindowHelper& operator=(const LogWindowHelper&) = delete;

  static LogWindowHelper& getInstance();

  // Shows message in a message dialog on the caller's thread and waits for it to close; when the dialog cannot
  // be shown the message goes to standard error as one line.
  void displayMsgDialog(const std::string& message);
  // With later, a graphical dialog is handed to the GUI event queue and the call returns at once; without a
  // screen the message is reported as by displayMsgDialog(message). Without later, as displayMsgDialog(message).
  void displayMsgDialog(const std::string& message, bool later);
  // Announces a log entry on the task bus; nothing is written anywhere else.
  void displayMsgToLog(const std::string& title, const std::string& text);

  const std::shared_ptr<TaskAction>& getTaskAction() const { return taskAction_; }

 private:
  LogWindowHelper();

  std::shared_ptr<TaskAction> taskAction_;  // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::util
