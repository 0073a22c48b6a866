// Runs the steps of a close one after another, each even when an earlier one failed, and keeps the first failure
// (with its dynamic type) to rethrow once every step has run. Used by one thread at a time.
#pragma once

#include <memory>

#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::net {

class BestEffort {
 public:
  template <class F>
  void run(F&& step) {
    try {
      step();
    } catch (const plat::lang::Throwable& failure) {
      if (!first_) first_ = failure.clone();
    }
  }

  bool failed() const { return first_ != nullptr; }
  void rethrow() const {
    if (first_) first_->raise();
  }

 private:
  std::shared_ptr<plat::lang::Throwable> first_;
};

}  // namespace quenlora::zafoli::db::net
