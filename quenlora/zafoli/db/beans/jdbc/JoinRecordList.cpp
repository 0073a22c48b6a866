#include "quenlora/zafoli/db/beans/jdbc/JoinRecordList.h"

#include "platform/lang/Exceptions.h"

namespace quenlora::zafoli::db::beans::jdbc {

using plat::lang::Ref;
using plat::lang::Value;

void JoinRecordList::addJoinRecord(const Ref<JoinRecord>& record) {
  if (!record) return;
  std::lock_guard lock(mutex_);
  records_.push_back(record);
}

Ref<plat::util::Enumeration<Ref<binding::Synchronizable::JoinRecord>>> JoinRecordList::getJoinRecords() {
  std::vector<Ref<binding::Synchronizable::JoinRecord>> copy;
  for (const auto& record : records()) copy.push_back(record);
  return plat::lang::makeRef<plat::util::SnapshotEnumeration<Ref<binding::Synchronizable::JoinRecord>>>(copy);
}

std::vector<Ref<JoinRecord>> JoinRecordList::records() const {
  std::lock_guard lock(mutex_);
  return records_;
}

bool JoinRecordList::isEmpty() const {
  std::lock_guard lock(mutex_);
  return records_.empty();
}

Ref<JoinRecord> JoinRecordList::getJoinRecord(int detailColumnNumber) const {
  for (const auto& record : records()) {
    if (record->getDetailColumnNumber() == detailColumnNumber) return record;
  }
  return nullptr;
}

void JoinRecordList::setMasterCurrentValue(const Value& value, int masterColumnNumber) {
  for (const auto& record : records()) {
    if (record->getMasterColumnNumber() == masterColumnNumber) record->setMasterCurrentValue(value);
  }
}

void JoinRecordList::setMasterCurrentValue(const Value& value, const std::string& masterColumnName) {
  for (const auto& record : records()) {
    if (record->getMasterColumnName() == masterColumnName) record->setMasterCurrentValue(value);
  }
}

void JoinRecordList::setMasterAndDetailData(binding::PersistentObject& master, binding::PersistentObject& detail) {
  std::lock_guard lock(mutex_);
  for (const auto& record : records_) {
    const int masterColumn = master.getColumnIndex(record->getMasterColumnName());
    const int detailColumn = detail.getColumnIndex(record->getDetailColumnName());
    record->setMasterColumnNumber(masterColumn);
    record->setDetailColumnNumber(detailColumn);
    if (masterColumn < 0) {
      throw plat::lang::IllegalArgumentException("Attempting join:" + record->getMasterColumnName() + kNoMetadata);
    }
    if (detailColumn < 0) {
      throw plat::lang::IllegalArgumentException("Attempting join:" + record->getDetailColumnName() + " " +
                                                 kNoMetadata);
    }
    record->setMasterCurrentValue(master.getValueAsObject(masterColumn, binding::PersistentObject::ORIGINAL_VALUE));
  }
}

std::string JoinRecordList::toStringUI() const {
  std::string text;
  for (const auto& record : records()) text += (text.empty() ? "" : "; ") + record->toStringUI();
  return text;
}

}  // namespace quenlora::zafoli::db::beans::jdbc
