// Any item on the data bus: something whose changes can be followed. Items are shared objects (made with
// plat::lang::makeRef); an item's change notices carry it as their source.
#pragma once

#include "platform/lang/Object.h"

namespace quenlora::zafoli::db::beans::binding::databus {

class DataItemChangedListener;

class DataItem : public plat::lang::Object {
 public:
  // The item holds the listener (a Ref) until it is removed; the same listener added twice is called twice.
  virtual void addDataItemChangedListener(const plat::lang::Ref<DataItemChangedListener>& listener) = 0;
  // Removes the first registration of listener.
  virtual void removeDataItemChangedListener(const plat::lang::Ref<DataItemChangedListener>& listener) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::databus
