#include "platform/gui/HeadlessDialogService.h"

#include "platform/lang/System.h"

namespace plat::gui {

DialogAnswer HeadlessDialogService::show(const MessageRequest& request) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    shown_.push_back(request);
    if (!script_.empty()) {
      DialogAnswer answer = script_.front();
      script_.pop_front();
      return answer;
    }
  }
  // Written outside the lock: the sink has its own, and a slow stream must not stall other dialogs' bookkeeping.
  plat::lang::System::err().println(request.title.empty() ? request.text : request.title + ": " + request.text);
  return request.kind == MessageKind::Question ? DialogAnswer::No : DialogAnswer::Ok;
}

void HeadlessDialogService::scriptAnswer(DialogAnswer answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  script_.push_back(answer);
}

std::vector<MessageRequest> HeadlessDialogService::shown() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return shown_;
}

std::size_t HeadlessDialogService::pendingAnswers() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return script_.size();
}

LoginAnswer HeadlessDialogService::showLogin(const LoginRequest& request) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    logins_.push_back(request);
    if (!loginScript_.empty()) {
      LoginAnswer answer = loginScript_.front();
      loginScript_.pop_front();
      return answer;
    }
  }
  plat::lang::System::err().println(request.title + ": " + request.url + ": login cancelled, no user to ask");
  return {LoginChoice::Cancel, "", ""};
}

void HeadlessDialogService::scriptLogin(LoginAnswer answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  loginScript_.push_back(std::move(answer));
}

std::vector<LoginRequest> HeadlessDialogService::shownLogins() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return logins_;
}

int HeadlessDialogService::choose(const ChoiceRequest& request) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    choices_.push_back(request);
    if (!choiceScript_.empty()) {
      const int answer = choiceScript_.front();
      choiceScript_.pop_front();
      return answer == kCloseBox ? request.closeAnswer : answer;
    }
  }
  return DialogService::choose(request);
}

void HeadlessDialogService::scriptChoice(int answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  choiceScript_.push_back(answer);
}

std::vector<ChoiceRequest> HeadlessDialogService::shownChoices() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return choices_;
}

int HeadlessDialogService::showFailedRecord(const FailedRecordRequest& request) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    failed_.push_back(request);
    if (!failedScript_.empty()) {
      const int answer = failedScript_.front();
      failedScript_.pop_front();
      return answer;
    }
  }
  return DialogService::showFailedRecord(request);
}

void HeadlessDialogService::scriptFailedRecord(int button) {
  std::lock_guard<std::mutex> lock(mutex_);
  failedScript_.push_back(button);
}

std::vector<FailedRecordRequest> HeadlessDialogService::shownFailedRecords() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

}  // namespace plat::gui
