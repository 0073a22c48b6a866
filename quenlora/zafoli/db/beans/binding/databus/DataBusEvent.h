// One event on the data bus: an item has become available, an item (or a whole alias) is revoked, or a member
// asks for an item by binding name. A request carries the answering item once a member has set it; an
// announcement never carries one. The source is a back reference to the sender; the event does not own it.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItem.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataBusEvent : public plat::lang::Object {
 public:
  static constexpr int DATA_AVAILABLE = 0;
  static constexpr int DATA_REVOKED = 1;
  static constexpr int DATA_REQUEST = 2;

  // Both throw InvalidType for a type outside DATA_AVAILABLE..DATA_REQUEST.
  DataBusEvent(int type, std::string name, plat::lang::Object* source);
  DataBusEvent(int type, std::string name, plat::lang::Object* source, plat::lang::Ref<DataItem> item);

  int getEventType() const { return ty; }
  const std::string& getDataItemName() const { return itNa; }
  const plat::lang::Ref<DataItem>& getDataItem() const { return di; }
  // How a member answers a request.
  void setDataItem(plat::lang::Ref<DataItem> item) { di = std::move(item); }
  plat::lang::Object* getSource() const { return source_; }

  // The class name and "[source=" plus the source's text (or "null") and "]".
  std::string toString() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.databus.DataBusEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the sender; may be null
  int ty;
  std::string itNa;
  plat::lang::Ref<DataItem> di;  // null until a member answers
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
