// A change notice of a data item: members added or removed, a value set, or the contents deleted. The source is
// the item that changed, as a back reference.
#pragma once

#include <string>

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataItemChangedEvent : public plat::lang::Object {
 public:
  static constexpr int DATA_SIZE_CHANGE = 0;
  static constexpr int DATA_VALUE_CHANGE = 1;
  static constexpr int DATA_DELETED = 2;

  // Throws InvalidType for a type outside DATA_SIZE_CHANGE..DATA_DELETED.
  DataItemChangedEvent(int type, plat::lang::Object* source);

  int getChangeType() const { return cT; }
  plat::lang::Object* getSource() const { return source_; }

  std::string toString() const override;
  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.databus.DataItemChangedEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the item; may be null
  int cT;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
