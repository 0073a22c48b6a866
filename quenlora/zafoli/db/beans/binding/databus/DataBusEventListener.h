// Receives the data bus's announcements and, as a member, its requests; called on the announcing or asking
// thread, outside the bus's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/databus/DataBusEvent.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataBusEventListener {
 public:
  virtual ~DataBusEventListener() = default;
  // An item became available or was revoked.
  virtual void handleDataBusEvent(const DataBusEvent& event) = 0;
  // A request: answer with event.setDataItem() when this member owns the named item, else leave the event alone.
  virtual void requestDataItem(DataBusEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
