// A ready-made one-row data source through which other components publish values on the data bus: one array of
// values, its provider mediator, and a class-wide registry of the full binding names it publishes under, so that a
// newer publisher of a name makes the older one withdraw. Make it with makeRef. Values and listeners are
// serialised on the object; trigger listeners are called on a copy of the list outside the lock.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIListener.h"

namespace quenlora::zafoli::db::beans::binding {

class SingleRowBDSSupport : public plat::lang::Object, public BasicDataSource {
 public:
  // The support is the source of its own trigger events.
  SingleRowBDSSupport() = default;
  // source stands as the source of the trigger events and as its mediator's output (a back reference).
  explicit SingleRowBDSSupport(const plat::lang::Ref<plat::lang::Object>& source);
  SingleRowBDSSupport(const SingleRowBDSSupport&) = delete;
  SingleRowBDSSupport& operator=(const SingleRowBDSSupport&) = delete;

  // Row 0 only; null for any other row, for a negative column and for a column beyond the row.
  plat::lang::Value getValue(int row, int column) override;
  // Stores at row 0 only, growing the row to column + 1 entries; other rows and negative columns are ignored.
  void setValue(const plat::lang::Value& value, int row, int column) override;
  // -1 while no value was ever set, else 0.
  int getCurrentRowNumber() override;
  // 0 while no value was ever set, else 1.
  int getTotalNumberOfRows() override;
  std::vector<plat::lang::Value> getValues();
  plat::lang::Value getValues(int column);
  void setValues(std::vector<plat::lang::Value> values);
  void setValues(int column, const plat::lang::Value& value);

  void addTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) override;
  void removeTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) override;
  // Publishes under name's full name: an earlier publisher of that name withdraws it, every trigger listener
  // is told the name, and the registry maps the name to this object. Nothing happens without listeners.
  void setDataBinding(Name name);
  // Tells every trigger listener to refresh by force (row 0).
  void triggerUI();

  // The object that publishes under a full binding name, or null.
  static plat::lang::Ref<SingleRowBDSSupport> getPublisher(const std::string& fullName);

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.SingleRowBDSSupport"; }

 protected:
  plat::lang::Ref<MediatorDS> getMediatorDS() const;
  // Keeps the mediator and, when it is not null, gives it the source object and the data-source descriptors. A
  // mediator it replaces withdraws what it published and lets go of this source.
  void setMediatorDS(const plat::lang::Ref<MediatorDS>& mediator);
  // Withdraws what the mediator published under name's alias and forgets the registry entry.
  void reInitDataItem(Name name);

 private:
  plat::lang::Ref<plat::lang::Object> sourceObject();
  std::vector<plat::lang::Ref<TriggerUIListener>> listenersNow() const;

  mutable std::mutex mutex_;
  std::vector<plat::lang::Value> values_;   // guarded by mutex_
  bool hasValues_ = false;                  // guarded by mutex_; false until the first value is set
  plat::lang::Ref<MediatorDS> mediatorDS_;  // guarded by mutex_
  std::vector<plat::lang::Ref<TriggerUIListener>> triggerUIListeners_;  // guarded by mutex_
  plat::lang::WeakRef<plat::lang::Object> source_;  // guarded by mutex_; back reference; this object when unset
  bool hasSource_ = false;                          // guarded by mutex_
};

}  // namespace quenlora::zafoli::db::beans::binding
