// Re-runs a stored-procedure adapter whenever a query navigator moves to another row (first, next, previous or a
// row chosen by number), so that the adapter's parameters, bound to the navigator's columns, follow the current
// row. The navigator holds a small forwarding listener, not the trigger: a discarded trigger leaves the navigator
// and is never called again. Setters are serialised on the trigger; the adapter runs on the navigating thread.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/QueryNavigator.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventListener.h"
#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureAdapter.h"

namespace quenlora::zafoli::db::beans::jdbc {

class StoredProcedureTrigger : public plat::lang::Object, public binding::event::RecordNavigateEventListener {
 public:
  static constexpr const char* kClassName = "quenlora.zafoli.db.beans.jdbc.StoredProcedureTrigger";

  StoredProcedureTrigger();
  StoredProcedureTrigger(const plat::lang::Ref<binding::QueryNavigator>& navigator,
                         const plat::lang::Ref<StoredProcedureAdapter>& adapter);
  StoredProcedureTrigger(const StoredProcedureTrigger&) = delete;
  StoredProcedureTrigger& operator=(const StoredProcedureTrigger&) = delete;
  // Leaves the navigator.
  ~StoredProcedureTrigger() override;

  plat::lang::Ref<binding::QueryNavigator> getQueryNavigator() const;
  // Leaves the previous navigator and listens to this one's record moves.
  void setQueryNavigator(const plat::lang::Ref<binding::QueryNavigator>& navigator);
  plat::lang::Ref<StoredProcedureAdapter> getStoredProcedureAdapter() const;
  void setStoredProcedureAdapter(const plat::lang::Ref<StoredProcedureAdapter>& adapter);

  // FIRST, NEXT, PREV and GOTO to a row of 0 or more execute the adapter; other moves do nothing.
  void onAfterRecordNavigate(const binding::event::RecordNavigateEvent& event) override;
  void onBeforeRecordNavigate(const binding::event::RecordNavigateEvent& event) override;
  void onBoundaryRecord(const binding::event::RecordNavigateEvent& event) override;

  std::string getClassName() const override { return kClassName; }

 private:
  class Forwarder;

  mutable std::mutex mutex_;
  plat::lang::Ref<binding::QueryNavigator> queryNavigator_;  // guarded by mutex_
  plat::lang::Ref<StoredProcedureAdapter> adapter_;          // guarded by mutex_
  std::shared_ptr<Forwarder> forwarder_;                     // set once by the constructor
};

}  // namespace quenlora::zafoli::db::beans::jdbc
