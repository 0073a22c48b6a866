// How a firing object calls a snapshot of its listeners, one rule per event kind: every listener in registration
// order on the same event, and what a listener throws either ignored, ending the firing with its message on standard
// output, or passed on to the caller. Only exceptions are handled; an Error always passes through. Stateless; the
// snapshot is the caller's, taken under its lock and walked here outside it.
#pragma once

#include <exception>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Throwable.h"

namespace quenlora::zafoli::db::beans::binding::event {

namespace detail {
// The failure's message (its text form when it has none) as one line on standard output.
void printListenerFailure(const plat::lang::Throwable& failure);
void printListenerFailure(const std::exception& failure);
}  // namespace detail

// Record-navigate events: a listener that throws is skipped, and the next one is called.
template <class Listener, class Call>
void callIgnoringFailures(const std::vector<plat::lang::Ref<Listener>>& listeners, Call call) {
  for (const auto& listener : listeners) {
    try {
      call(*listener);
    } catch (const plat::lang::Error&) {
      throw;
    } catch (const plat::lang::Exception&) {
    } catch (const plat::lang::Throwable&) {
      throw;
    } catch (const std::exception&) {
    }
  }
}

// Column-data events and the before-record-save event: the first listener that throws ends the firing (later
// listeners are not called) and its message is printed; the operation that fired goes on.
template <class Listener, class Call>
void callUntilFirstFailure(const std::vector<plat::lang::Ref<Listener>>& listeners, Call call) {
  try {
    for (const auto& listener : listeners) call(*listener);
  } catch (const plat::lang::Error&) {
    throw;
  } catch (const plat::lang::Exception& e) {
    detail::printListenerFailure(e);
  } catch (const plat::lang::Throwable&) {
    throw;
  } catch (const std::exception& e) {
    detail::printListenerFailure(e);
  }
}

// The after-record-save event: what a listener throws reaches the caller of the save.
template <class Listener, class Call>
void callPassingFailures(const std::vector<plat::lang::Ref<Listener>>& listeners, Call call) {
  for (const auto& listener : listeners) call(*listener);
}

}  // namespace quenlora::zafoli::db::beans::binding::event
