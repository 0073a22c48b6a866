#include "platform/gui/DialogService.h"

#include <mutex>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/lang/System.h"

namespace plat::gui {

namespace {

std::mutex& serviceMutex() {
  static std::mutex* mutex = new std::mutex();  // lives until the process ends
  return *mutex;
}

std::shared_ptr<DialogService>& installed() {
  static auto* service = new std::shared_ptr<DialogService>();  // guarded by serviceMutex()
  return *service;
}

}  // namespace

DialogService::~DialogService() = default;

LoginAnswer DialogService::showLogin(const LoginRequest& request) {
  plat::lang::System::err().println(request.title + ": " + request.url + ": no login window can be shown");
  return {};
}

int DialogService::choose(const ChoiceRequest& request) {
  plat::lang::System::err().println(request.title + ": " + request.text + ": no window can be shown");
  return request.closeAnswer;
}

int DialogService::showFailedRecord(const FailedRecordRequest& request) {
  plat::lang::System::err().println(request.title + ": no window can be shown");
  return request.unattendedAnswer;
}

void DialogService::showMessage(MessageKind kind, const std::string& title, const std::string& text) {
  show(MessageRequest{kind, title, text});
}

bool DialogService::askYesNo(const std::string& title, const std::string& text) {
  return show(MessageRequest{MessageKind::Question, title, text}) == DialogAnswer::Yes;
}

std::shared_ptr<DialogService> DialogService::current() {
  std::lock_guard<std::mutex> lock(serviceMutex());
  auto& service = installed();
  if (!service) service = std::make_shared<HeadlessDialogService>();
  return service;
}

void DialogService::setCurrent(std::shared_ptr<DialogService> service) {
  std::lock_guard<std::mutex> lock(serviceMutex());
  installed() = service ? std::move(service) : std::make_shared<HeadlessDialogService>();
}

}  // namespace plat::gui
