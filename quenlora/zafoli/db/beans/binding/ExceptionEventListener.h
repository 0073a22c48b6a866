// Receives the failures and warnings that a data source reports instead of throwing. Called on the thread that met
// the failure, outside the source's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"

namespace quenlora::zafoli::db::beans::binding {

class ExceptionEventListener {
 public:
  ExceptionEventListener() = default;
  ExceptionEventListener(const ExceptionEventListener&) = delete;
  ExceptionEventListener& operator=(const ExceptionEventListener&) = delete;
  virtual ~ExceptionEventListener() = default;

  virtual void handleExceptionEvent(const ExceptionEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
