// The dialog service of a process without a screen. Answers come from a script (tests queue them); with no answer
// queued, the dialog's text goes to standard error as one line ("title: text", or the text alone without a title)
// and a message answers Ok, a question No. Login requests have their own script and record; with no answer queued
// a login writes one line on standard error and answers Cancel. Every request is recorded. Thread-safe.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/gui/DialogService.h"

namespace plat::gui {

class HeadlessDialogService : public DialogService {
 public:
  HeadlessDialogService() = default;
  HeadlessDialogService(const HeadlessDialogService&) = delete;
  HeadlessDialogService& operator=(const HeadlessDialogService&) = delete;

  DialogAnswer show(const MessageRequest& request) override;
  bool isGraphical() const override { return false; }
  LoginAnswer showLogin(const LoginRequest& request) override;

  // Queues the answer of a later dialog; answers are used in the order queued.
  void scriptAnswer(DialogAnswer answer);
  // The requests shown so far, in order.
  std::vector<MessageRequest> shown() const;
  std::size_t pendingAnswers() const;

  // Queues the answer of a later login request; answers are used in the order queued.
  void scriptLogin(LoginAnswer answer);
  // The login requests shown so far, in order.
  std::vector<LoginRequest> shownLogins() const;

 private:
  mutable std::mutex mutex_;
  std::deque<DialogAnswer> script_;    // guarded by mutex_
  std::vector<MessageRequest> shown_;  // guarded by mutex_
  std::deque<LoginAnswer> loginScript_;  // guarded by mutex_
  std::vector<LoginRequest> logins_;     // guarded by mutex_
};

}  // namespace plat::gui
