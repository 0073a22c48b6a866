// The failure a row class reports for what went wrong in its conversions, queries and saves: a record exception of
// the core's row contract carrying the failure's text.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"

namespace quenlora::zafoli::db::beans::jdbc {

class RecordDefinitionException : public binding::PersistentObject::RecordException {
 public:
  explicit RecordDefinitionException(std::string message) : RecordException(std::move(message)) {}
  PLAT_THROWABLE_MEMBERS(RecordDefinitionException,
                         "quenlora.zafoli.db.beans.jdbc.BaseRecordDefinition$RecordDefinitionException")
};

}  // namespace quenlora::zafoli::db::beans::jdbc
