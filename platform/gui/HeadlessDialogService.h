// The dialog service of a process without a screen. Answers come from a script (tests queue them); with no answer
// queued, the dialog's text goes to standard error as one line ("title: text", or the text alone without a title)
// and a message answers Ok, a question No. Login requests have their own script and record; with no answer queued
// a login writes one line on standard error and answers Cancel. Choice and failed-record requests have a script and
// record each too; unscripted, a choice writes one line and answers its close-box answer, a failed record its
// unattended answer, so that nothing is saved or dropped without a user. Every request is recorded. Thread-safe.
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
  int choose(const ChoiceRequest& request) override;
  int showFailedRecord(const FailedRecordRequest& request) override;

  // Queues the answer of a later dialog; answers are used in the order queued.
  void scriptAnswer(DialogAnswer answer);
  // The requests shown so far, in order.
  std::vector<MessageRequest> shown() const;
  std::size_t pendingAnswers() const;

  // Queues the answer of a later login request; answers are used in the order queued.
  void scriptLogin(LoginAnswer answer);
  // The login requests shown so far, in order.
  std::vector<LoginRequest> shownLogins() const;

  // A scripted choice that closes the window instead of pressing a button.
  static constexpr int kCloseBox = -1;
  // Queues the answer of a later choice: a button index or kCloseBox; answers are used in the order queued.
  void scriptChoice(int answer);
  // The choice requests shown so far, in order.
  std::vector<ChoiceRequest> shownChoices() const;

  // Queues the button index a later failed-record window answers; answers are used in the order queued.
  void scriptFailedRecord(int button);
  // The failed-record requests shown so far, in order.
  std::vector<FailedRecordRequest> shownFailedRecords() const;

 private:
  mutable std::mutex mutex_;
  std::deque<DialogAnswer> script_;          // guarded by mutex_
  std::vector<MessageRequest> shown_;        // guarded by mutex_
  std::deque<LoginAnswer> loginScript_;      // guarded by mutex_
  std::vector<LoginRequest> logins_;         // guarded by mutex_
  std::deque<int> choiceScript_;             // guarded by mutex_
  std::vector<ChoiceRequest> choices_;       // guarded by mutex_
  std::deque<int> failedScript_;             // guarded by mutex_
  std::vector<FailedRecordRequest> failed_;  // guarded by mutex_
};

}  // namespace plat::gui
