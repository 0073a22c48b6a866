// Scripted answers for the claim program's dialogs: the questions answer as told, and every beep, question and
// box is recorded. Thread-safe (connectivity tests inform from their own threads).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "claim/Dialogs.h"

namespace claimtest {

class ScriptedDialogs : public Dialogs {
 public:
  struct Box {
    std::string title;
    std::string text;
    bool warning = false;  // shown with the warning icon
  };

  void beep() override {
    std::lock_guard<std::mutex> lock(mu_);
    ++beeps_;
  }
  bool askYesNo(const std::string& title, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mu_);
    questions_.push_back({title, text});
    return answerYes;
  }
  void inform(const std::string& title, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mu_);
    boxes_.push_back({title, text, false});
    cv_.notify_all();
  }
  void warn(const std::string& title, const std::string& text) override {
    std::lock_guard<std::mutex> lock(mu_);
    boxes_.push_back({title, text, true});
    cv_.notify_all();
  }

  // Waits at most timeoutMs for n boxes.
  bool waitForBoxes(std::size_t n, int timeoutMs) {
    std::unique_lock<std::mutex> lock(mu_);
    return cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return boxes_.size() >= n; });
  }
  std::vector<Box> boxes() const {
    std::lock_guard<std::mutex> lock(mu_);
    return boxes_;
  }
  std::vector<Box> questions() const {
    std::lock_guard<std::mutex> lock(mu_);
    return questions_;
  }
  int beeps() const {
    std::lock_guard<std::mutex> lock(mu_);
    return beeps_;
  }

  bool answerYes = false;  // set before the question is asked

 private:
  mutable std::mutex mu_;
  std::condition_variable cv_;
  int beeps_ = 0;
  std::vector<Box> questions_;
  std::vector<Box> boxes_;
};

}  // namespace claimtest
