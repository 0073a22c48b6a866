// The library's one-value data item: a named value with a status flag. Setting a value that shows like the one
// held changes nothing (numbers compare by value: 1.50 is 1.5); a real change marks the item MODIFIED and tells
// its listeners. All operations may be called from any thread; listeners are called outside the item's lock.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/DataItemListeners.h"
#include "quenlora/zafoli/db/beans/binding/GridSize.h"
#include "quenlora/zafoli/db/beans/binding/ItemLatch.h"
#include "quenlora/zafoli/db/beans/binding/databus/MutableImmediateAccess.h"

namespace quenlora::zafoli::db::beans::binding {

class DataInput : public databus::MutableImmediateAccess, public DataItemAddition {
 public:
  DataInput() = default;
  DataInput(std::string name, GridSize size) : m_Name(std::move(name)), m_Size(size) {}
  DataInput(const DataInput&) = delete;
  DataInput& operator=(const DataInput&) = delete;

  // Takes other's value unless both show alike; a null over a value that is neither null nor empty text clears it.
  void setValue(const databus::ImmediateAccess& other) override;
  plat::lang::Value getValueAsObject() const override;
  // The value copied into out, for bulk readers filling a vector in place.
  void copyValueTo(plat::lang::Value& out) const;
  std::optional<std::string> getValueAsString() const override;
  std::string getPresentationString() const override { return "String"; }

  void addDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>& listener) override {
    m_DIChangedListeners.add(listener);
  }
  void removeDataItemChangedListener(const plat::lang::Ref<databus::DataItemChangedListener>& listener) override {
    m_DIChangedListeners.remove(listener);
  }
  // Sends DATA_VALUE_CHANGE with this item as source to the listeners.
  void notifyDataChanged();

  void cleanUp() override { setStatusFlag(EXISTING); }
  std::string getName() const override;
  void setName(const std::string& name) override;
  int getStatusFlag() const override;
  void setStatusFlag(int status) override;

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.DataInput"; }

 private:
  mutable ItemLatch mutex_;
  std::string m_Name;           // guarded by mutex_
  plat::lang::Value m_Value;    // guarded by mutex_
  GridSize m_Size;              // kept as given; not used
  int m_StatusFlag = EXISTING;  // guarded by mutex_
  DataItemListeners m_DIChangedListeners;
};

}  // namespace quenlora::zafoli::db::beans::binding
