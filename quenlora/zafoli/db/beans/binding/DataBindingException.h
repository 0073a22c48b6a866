// The base of the data-binding library's errors; also an SQL exception for every catcher of those.
// A copyable value, used by one thread at a time.
#pragma once

#include <string>

#include "platform/sql/SQLException.h"

namespace quenlora::zafoli::db::beans::binding {

class DataBindingException : public plat::sql::SQLException {
 public:
  // Carries the default text "No reason" of the message bundle.
  DataBindingException();
  explicit DataBindingException(std::string message) : plat::sql::SQLException(std::move(message)) {}

  // The text of the default locale, looked up when the class is first used.
  static const std::string& defaultMessage();

  PLAT_THROWABLE_MEMBERS(DataBindingException, "quenlora.zafoli.db.beans.binding.DataBindingException")
};

}  // namespace quenlora::zafoli::db::beans::binding
