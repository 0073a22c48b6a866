// The beginning, commit or rollback of a transaction on a data source: a record-save event made from its source
// alone. Belongs to the public vocabulary; nothing in the library fires it. A copyable value.
#pragma once

#include <string>

#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class TransactionEvent : public RecordSaveEvent {
 public:
  explicit TransactionEvent(plat::lang::Object* source) : RecordSaveEvent(source) {}

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.event.TransactionEvent"; }
};

}  // namespace quenlora::zafoli::db::beans::binding::event
