// The base of the master/detail synchroniser's errors.
// A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/DataBindingException.h"

namespace quenlora::zafoli::db::beans::binding {

class SynchronizerException : public DataBindingException {
 public:
  // Carries the default text "Synchronizer exception." of the message bundle.
  SynchronizerException();
  explicit SynchronizerException(std::string message) : DataBindingException(std::move(message)) {}

  // The text of the default locale, looked up when the class is first used.
  static const std::string& defaultMessage();

  PLAT_THROWABLE_MEMBERS(SynchronizerException, "quenlora.zafoli.db.beans.binding.SynchronizerException")
};

}  // namespace quenlora::zafoli::db::beans::binding
