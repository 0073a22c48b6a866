#include "quenlora/zafoli/db/beans/binding/event/CallingRules.h"

#include "platform/lang/System.h"

namespace quenlora::zafoli::db::beans::binding::event::detail {

void printListenerFailure(const plat::lang::Throwable& failure) {
  plat::lang::System::out().println(failure.hasMessage() ? failure.getMessage() : failure.toString());
}

void printListenerFailure(const std::exception& failure) {
  plat::lang::System::out().println(failure.what());
}

}  // namespace quenlora::zafoli::db::beans::binding::event::detail
