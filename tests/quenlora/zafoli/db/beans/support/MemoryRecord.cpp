#include "tests/quenlora/zafoli/db/beans/support/MemoryRecord.h"

#include "platform/lang/Exceptions.h"
#include "platform/util/Enumeration.h"

namespace quenlora::zafoli::db::beans::support {

using plat::lang::Value;

namespace {
std::vector<std::string> numberedColumns(int count) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back("C" + std::to_string(i));
  return names;
}
}  // namespace

MemoryRecord::MemoryRecord(int columns) : MemoryRecord("memory", numberedColumns(columns)) {}

MemoryRecord::MemoryRecord(std::string table, std::vector<std::string> columns)
    : table_(std::move(table)),
      names_(std::move(columns)),
      original_(names_.size()),
      modified_values_(names_.size()),
      qbe_values_(names_.size()) {}

std::size_t MemoryRecord::checked(int column) const {
  if (column < 0 || static_cast<std::size_t>(column) >= names_.size())
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
  return static_cast<std::size_t>(column);
}

void MemoryRecord::load(int column, const Value& value) {
  const auto c = checked(column);
  original_[c] = value;
  modified_values_[c] = value;
}

int MemoryRecord::getColumnIndex(const std::string& name) {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == name) return static_cast<int>(i);
  return -1;
}

std::string MemoryRecord::getDataName(const std::string& separator) {
  std::string text = table_ + "@";
  for (std::size_t i = 0; i < names_.size(); ++i) text += (i ? separator : "") + names_[i];
  return text;
}

int MemoryRecord::getOperation() {
  if (new_ && deleted_) return NOTHING_OPERATION;
  if (new_) return INSERTED_OPERATION;
  if (deleted_) return DELETED_OPERATION;
  if (modified_) return MODIFIED_OPERATION;
  return NOTHING_OPERATION;
}

void MemoryRecord::getQBEObjectValues(std::vector<Value>& entries) {
  for (const auto& v : qbe_values_)
    if (!v.isNull()) entries.push_back(v);
}

Value MemoryRecord::getValueAsObject(int column, int which) {
  const auto c = checked(column);
  if (qbe_) return qbe_values_[c];
  return which == ORIGINAL_VALUE ? original_[c] : modified_values_[c];
}

std::string MemoryRecord::getValueAsString(int column, int which) {
  const Value v = getValueAsObject(column, which);
  return v.isNull() ? std::string() : v.toString();
}

void MemoryRecord::initDataStorage() {
  original_.assign(names_.size(), Value());
  modified_values_.assign(names_.size(), Value());
  qbe_values_.assign(names_.size(), Value());
  changed_.clear();
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects() {
  return plat::lang::makeRef<plat::util::SnapshotEnumeration<plat::lang::Ref<binding::PersistentObject>>>(similar_);
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects(const std::string&,
                                                                                   const std::vector<std::string>&) {
  return querySimilarObjects();
}

plat::lang::Ref<MemoryRecord::RecordEnumeration> MemoryRecord::querySimilarObjects(
    const std::string&, const plat::lang::Ref<binding::Synchronizable::JoinRecordList>&,
    const std::vector<std::string>&) {
  return querySimilarObjects();
}

void MemoryRecord::resetState() {
  original_ = modified_values_;
  changed_.clear();
  deleted_ = misplaced_ = modified_ = new_ = false;
}

int MemoryRecord::save() {
  if (nextSaveFailure_) {
    auto failure = std::move(nextSaveFailure_);
    nextSaveFailure_.reset();
    failure->raise();
  }
  const int operation = getOperation();
  switch (operation) {
    case INSERTED_OPERATION:
      statement_ = "INSERT INTO " + table_;
      break;
    case MODIFIED_OPERATION:
      statement_ = "UPDATE " + table_;
      break;
    case DELETED_OPERATION:
      statement_ = "DELETE FROM " + table_;
      break;
    default:
      return 0;
  }
  ++saveCount_;
  return 1;
}

void MemoryRecord::setValueAsInteger(int column, std::optional<int> value) {
  setValueAsObject(column, value ? Value(*value) : Value());
}

void MemoryRecord::setValueAsObject(int column, const Value& value) {
  const auto c = checked(column);
  modified_values_[c] = value;
  changed_.insert(column);
  modified_ = true;
}

void MemoryRecord::setValueAsString(int column, const std::string& value) {
  setValueAsObject(column, Value(value));
}

void MemoryRecord::setValueAsQBE(int column, const Value& value, bool) {
  qbe_values_[checked(column)] = value;
}

std::map<std::string, Value> MemoryRecord::toHashtable() {
  std::map<std::string, Value> map;
  for (std::size_t i = 0; i < names_.size(); ++i) map[names_[i]] = modified_values_[i];
  return map;
}

void MemoryRecord::undoChanges() {
  modified_values_ = original_;
  changed_.clear();
  modified_ = false;
}

void MemoryRecord::undoColumnChanges(int column) {
  const auto c = checked(column);
  modified_values_[c] = original_[c];
  changed_.erase(column);
  if (changed_.empty()) modified_ = false;
}

}  // namespace quenlora::zafoli::db::beans::support
