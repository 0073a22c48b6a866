#include "testkit/beans/MemoryQueryNavigator.h"

#include "platform/util/Enumeration.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIEvent.h"

namespace testkit::beans {

using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::beans::binding::PersistentObject;
using quenlora::zafoli::db::beans::binding::Synchronizable;
using quenlora::zafoli::db::beans::binding::TriggerUIEvent;

namespace {

class EqualJoin : public Synchronizable::JoinRecord {
 public:
  EqualJoin(std::string column, Value value) : column_(std::move(column)), value_(std::move(value)) {}
  std::string getDetailColumnName() override { return column_; }
  int getDetailColumnNumber() override { return -1; }
  Value getMasterCurrentValue() override { return value_; }
  std::string getOperator() override { return "="; }

 private:
  std::string column_;
  Value value_;
};

class JoinList : public Synchronizable::JoinRecordList {
 public:
  explicit JoinList(std::vector<Ref<Synchronizable::JoinRecord>> joins) : joins_(std::move(joins)) {}
  Ref<plat::util::Enumeration<Ref<Synchronizable::JoinRecord>>> getJoinRecords() override {
    return plat::lang::makeRef<plat::util::SnapshotEnumeration<Ref<Synchronizable::JoinRecord>>>(joins_);
  }

 private:
  std::vector<Ref<Synchronizable::JoinRecord>> joins_;
};

Value masterValue(Synchronizable* master, const std::string& column) {
  auto record = master ? std::dynamic_pointer_cast<PersistentObject>(master->getCurrentObject()) : nullptr;
  if (!record) return Value();
  const int index = record->getColumnIndex(column);
  return index < 0 ? Value() : record->getValueAsObject(index, PersistentObject::MODIFIED_VALUE);
}

}  // namespace

void MemoryQueryNavigator::setJoins(std::vector<Join> joins) {
  std::lock_guard lock(mutex_);
  joins_ = std::move(joins);
}

void MemoryQueryNavigator::setWhere(const std::string& filterName) {
  std::lock_guard lock(mutex_);
  where_ = filterName;
}

void MemoryQueryNavigator::setSortOrder(std::vector<std::string> sortOrder) {
  std::lock_guard lock(mutex_);
  sortOrder_ = std::move(sortOrder);
}

Ref<Synchronizable::JoinRecordList> MemoryQueryNavigator::joinList() {
  std::lock_guard lock(mutex_);
  if (!master_ || joins_.empty()) return nullptr;
  std::vector<Ref<Synchronizable::JoinRecord>> joins;
  for (const auto& join : joins_)
    joins.push_back(plat::lang::makeRef<EqualJoin>(join.detailColumn, masterValue(master_, join.masterColumn)));
  return plat::lang::makeRef<JoinList>(std::move(joins));
}

void MemoryQueryNavigator::run() {
  auto qbe = getQBEObject();
  if (!qbe) return;
  std::string where;
  std::vector<std::string> sortOrder;
  {
    std::lock_guard lock(mutex_);
    where = where_;
    sortOrder = sortOrder_;
  }
  installEnumeration(qbe->querySimilarObjects(where, joinList(), sortOrder), true);
  navigate(FIRST, std::nullopt);
  // The first step is a navigation, which leaves all-rows views alone: they are shown the new set as a whole.
  moveDataToUI(0, TriggerUIEvent::RECORDSETCHANGED);
}

void MemoryQueryNavigator::executeQuery(Synchronizable* master) {
  {
    std::lock_guard lock(mutex_);
    master_ = master;
  }
  run();
}

void MemoryQueryNavigator::executeQueryByExample() {
  QueryNavigator::executeQueryByExample();
  run();
}

void MemoryQueryNavigator::insertIntern() {
  QueryNavigator::insertIntern();
  auto record = std::dynamic_pointer_cast<PersistentObject>(getCurrentObject());
  if (!record || !record->getMarkedAsNew()) return;
  std::vector<Join> joins;
  Synchronizable* master = nullptr;
  {
    std::lock_guard lock(mutex_);
    joins = joins_;
    master = master_;
  }
  if (!master) return;
  for (const auto& join : joins) {
    const int column = record->getColumnIndex(join.detailColumn);
    if (column >= 0) record->setValueAsObject(column, masterValue(master, join.masterColumn));
  }
  moveDataToUI(getCurrentRowNumber(), TriggerUIEvent::RECORDINSERTED);
}

}  // namespace testkit::beans
