#include "quenlora/zafoli/db/beans/util/LogWindowHelper.h"

#include "platform/beans/Beans.h"
#include "platform/gui/DialogService.h"
#include "platform/gui/EventQueue.h"
#include "platform/lang/System.h"

namespace quenlora::zafoli::db::beans::util {

namespace {

plat::gui::MessageRequest messageRequest(const std::string& message) {
  // No title of its own: a headless service then writes the message alone on its line.
  return plat::gui::MessageRequest{plat::gui::MessageKind::Information, "", message};
}

}  // namespace

plat::lang::Ref<binding::taskbus::TaskBus> LogWindowHelper::TaskAction::getTaskBus() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return tb;
}

void LogWindowHelper::TaskAction::setTaskBus(const plat::lang::Ref<binding::taskbus::TaskBus>& bus) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    tb = bus;
  }
  if (bus) bus->addTaskBusEventListener(std::static_pointer_cast<TaskAction>(shared_from_this()));
}

void LogWindowHelper::TaskAction::handleTaskBusEvent(const binding::taskbus::TaskBusEvent&) {}

void LogWindowHelper::TaskAction::printMessage(const std::string& title, const std::string& text) {
  plat::lang::Ref<binding::taskbus::TaskBus> bus = getTaskBus();
  if (!bus) return;
  bus->announceData(
      binding::taskbus::TaskBusEvent(binding::taskbus::TaskBusEvent::START_TASK, nullptr, nullptr, this, title, text));
}

LogWindowHelper::LogWindowHelper() : taskAction_(std::make_shared<TaskAction>()) {
  if (!plat::beans::Beans::isDesignTime()) binding::taskbus::TaskBus::joinTaskBus(taskAction_);
}

LogWindowHelper& LogWindowHelper::getInstance() {
  static LogWindowHelper* instance = new LogWindowHelper();  // lives until the process ends
  return *instance;
}

void LogWindowHelper::displayMsgDialog(const std::string& message) {
  try {
    plat::gui::DialogService::current()->show(messageRequest(message));
  } catch (...) {
    plat::lang::System::err().println(message);
  }
}

void LogWindowHelper::displayMsgDialog(const std::string& message, bool later) {
  if (!later) {
    displayMsgDialog(message);
    return;
  }
  std::shared_ptr<plat::gui::DialogService> service = plat::gui::DialogService::current();
  if (!service->isGraphical()) {
    displayMsgDialog(message);
    return;
  }
  try {
    plat::gui::EventQueue::current()->invokeLater([service, message] {
      try {
        service->show(messageRequest(message));
      } catch (...) {
        // A deferred dialog has no caller left to tell.
      }
    });
  } catch (...) {
  }
}

void LogWindowHelper::displayMsgToLog(const std::string& title, const std::string& text) {
  taskAction_->printMessage(title, text);
}

}  // namespace quenlora::zafoli::db::beans::util
