// The exception listeners of a bean that reports exception events, and their firing: every listener registered when
// a firing starts receives, in registration order, one copy of the event made of its type, name and source (the
// failure object is not passed on). Thread-safe; listeners are called outside the lock and may add or remove
// listeners. What a listener throws reaches the caller of fireExceptionEvent and ends the firing.
#pragma once

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEvent.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEventListener.h"
#include "quenlora/zafoli/db/beans/binding/event/ListenerList.h"

namespace quenlora::zafoli::db::beans::binding {

class ExceptionEventSupport {
 public:
  ExceptionEventSupport() = default;
  ExceptionEventSupport(const ExceptionEventSupport&) = delete;
  ExceptionEventSupport& operator=(const ExceptionEventSupport&) = delete;

  // A listener added twice is called twice; removal takes its first registration.
  void addExceptionEventListener(const plat::lang::Ref<ExceptionEventListener>& listener) { listeners_.add(listener); }
  void removeExceptionEventListener(const plat::lang::Ref<ExceptionEventListener>& listener) {
    listeners_.remove(listener);
  }
  std::vector<plat::lang::Ref<ExceptionEventListener>> getListeners() const { return listeners_.snapshot(); }

  void fireExceptionEvent(const ExceptionEvent& event) const;

 private:
  event::ListenerList<ExceptionEventListener> listeners_;
};

}  // namespace quenlora::zafoli::db::beans::binding
