#include "quenlora/zafoli/db/beans/jdbc/StoredProcedureTrigger.h"

#include <utility>

namespace quenlora::zafoli::db::beans::jdbc {

using binding::event::RecordNavigateEvent;
using plat::lang::Ref;

// What the navigator holds: it passes moves on to its trigger until the trigger is discarded.
class StoredProcedureTrigger::Forwarder : public binding::event::RecordNavigateEventListener {
 public:
  explicit Forwarder(StoredProcedureTrigger* owner) : owner_(owner) {}
  void detach() {
    std::lock_guard lock(mutex_);
    owner_ = nullptr;
  }
  void onAfterRecordNavigate(const RecordNavigateEvent& event) override {
    std::lock_guard lock(mutex_);
    if (owner_ != nullptr) owner_->onAfterRecordNavigate(event);
  }
  void onBeforeRecordNavigate(const RecordNavigateEvent&) override {}
  void onBoundaryRecord(const RecordNavigateEvent&) override {}

 private:
  std::recursive_mutex mutex_;     // held while the trigger runs, so that it is not discarded underneath
  StoredProcedureTrigger* owner_;  // back reference; null once the trigger is gone
};

StoredProcedureTrigger::StoredProcedureTrigger() : forwarder_(std::make_shared<Forwarder>(this)) {}

StoredProcedureTrigger::StoredProcedureTrigger(const Ref<binding::QueryNavigator>& navigator,
                                               const Ref<StoredProcedureAdapter>& adapter)
    : StoredProcedureTrigger() {
  setStoredProcedureAdapter(adapter);
  setQueryNavigator(navigator);
}

StoredProcedureTrigger::~StoredProcedureTrigger() {
  try {
    setQueryNavigator(nullptr);
  } catch (...) {
  }
  forwarder_->detach();
}

Ref<binding::QueryNavigator> StoredProcedureTrigger::getQueryNavigator() const {
  std::lock_guard lock(mutex_);
  return queryNavigator_;
}

void StoredProcedureTrigger::setQueryNavigator(const Ref<binding::QueryNavigator>& navigator) {
  Ref<binding::QueryNavigator> previous;
  {
    std::lock_guard lock(mutex_);
    previous = std::exchange(queryNavigator_, navigator);
  }
  if (previous == navigator) return;
  if (previous) previous->removeRecordNavigateEventListener(forwarder_);
  if (navigator) navigator->addRecordNavigateEventListener(forwarder_);
}

Ref<StoredProcedureAdapter> StoredProcedureTrigger::getStoredProcedureAdapter() const {
  std::lock_guard lock(mutex_);
  return adapter_;
}

void StoredProcedureTrigger::setStoredProcedureAdapter(const Ref<StoredProcedureAdapter>& adapter) {
  std::lock_guard lock(mutex_);
  adapter_ = adapter;
}

void StoredProcedureTrigger::onAfterRecordNavigate(const RecordNavigateEvent& event) {
  switch (event.getEventType()) {
    case RecordNavigateEvent::RECORD_NAVIGATION_FIRST:
    case RecordNavigateEvent::RECORD_NAVIGATION_NEXT:
    case RecordNavigateEvent::RECORD_NAVIGATION_PREV:
    case RecordNavigateEvent::RECORD_NAVIGATION_GOTO:
      break;
    default:
      return;
  }
  if (event.getRowNumber() < 0) return;
  if (Ref<StoredProcedureAdapter> adapter = getStoredProcedureAdapter()) adapter->execute();
}

void StoredProcedureTrigger::onBeforeRecordNavigate(const RecordNavigateEvent&) {}

void StoredProcedureTrigger::onBoundaryRecord(const RecordNavigateEvent&) {}

}  // namespace quenlora::zafoli::db::beans::jdbc
