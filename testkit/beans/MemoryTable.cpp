#include "testkit/beans/MemoryTable.h"

#include "platform/lang/Exceptions.h"
#include "platform/sql/SQLException.h"

namespace testkit::beans {

using plat::lang::Value;

MemoryTable::MemoryTable(std::string name, std::vector<Column> columns, int keyColumn, bool indexed)
    : name_(std::move(name)), columns_(std::move(columns)), keyColumn_(keyColumn), indexed_(indexed) {
  // Every write finds its row by the key: a table without one could only read outside its rows.
  if (keyColumn_ < 0 || keyColumn_ >= static_cast<int>(columns_.size()))
    throw plat::lang::IllegalArgumentException(name_ + ": key column " + std::to_string(keyColumn_) +
                                               " is not one of its " + std::to_string(columns_.size()) + " columns");
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    auto member = plat::lang::makeRef<quenlora::zafoli::db::beans::binding::DefaultPersistentObjectMemberModel>();
    member->setName(columns_[i].name);
    member->setIndex(static_cast<int>(i));
    member->setDataType(columns_[i].sqlType);
    member->setWritable(true);
    members_.push_back(member);
  }
}

int MemoryTable::columnIndex(const std::string& name) const {
  for (std::size_t i = 0; i < columns_.size(); ++i)
    if (columns_[i].name == name) return static_cast<int>(i);
  return -1;
}

plat::lang::Ref<quenlora::zafoli::db::beans::binding::PersistentObjectMemberModel> MemoryTable::getMemberModel(
    int index) const {
  if (index < 0 || index >= static_cast<int>(members_.size()))
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(index));
  return members_[index];
}

void MemoryTable::addRow(Row row) {
  row.resize(columns_.size());
  std::lock_guard lock(mutex_);
  rows_.push_back(std::move(row));
  const int at = static_cast<int>(rows_.size()) - 1;
  if (indexed_) index_[rows_.back()[keyColumn_].toString()] = at;
  if (lookupColumn_ >= 0) lookup_[rows_.back()[lookupColumn_].toString()].push_back(at);
}

void MemoryTable::indexColumn(int column) {
  std::lock_guard lock(mutex_);
  if (column < 0 || column >= static_cast<int>(columns_.size()))
    throw plat::lang::ArrayIndexOutOfBoundsException(std::to_string(column));
  lookupColumn_ = column;
  relookup();
}

void MemoryTable::relookup() {
  lookup_.clear();
  if (lookupColumn_ < 0) return;
  for (std::size_t i = 0; i < rows_.size(); ++i)
    lookup_[rows_[i][lookupColumn_].toString()].push_back(static_cast<int>(i));
}

std::vector<MemoryTable::Row> MemoryTable::rowsWhere(int column, const Value& value) const {
  std::lock_guard lock(mutex_);
  std::vector<Row> found;
  if (column == lookupColumn_) {
    auto it = lookup_.find(value.toString());
    if (it != lookup_.end())
      for (int at : it->second) found.push_back(rows_[at]);
    return found;
  }
  for (const auto& row : rows_)
    if (column >= 0 && column < static_cast<int>(row.size()) && row[column].toString() == value.toString())
      found.push_back(row);
  return found;
}

std::vector<MemoryTable::Row> MemoryTable::rows() const {
  std::lock_guard lock(mutex_);
  return rows_;
}

int MemoryTable::size() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(rows_.size());
}

int MemoryTable::positionOf(const Value& key) const {
  if (indexed_) {
    auto it = index_.find(key.toString());
    return it == index_.end() ? -1 : it->second;
  }
  for (std::size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i][keyColumn_].equals(key)) return static_cast<int>(i);
  return -1;
}

void MemoryTable::reindex() {
  if (!indexed_) return;
  index_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) index_[rows_[i][keyColumn_].toString()] = static_cast<int>(i);
}

std::optional<MemoryTable::Row> MemoryTable::find(const Value& key) const {
  std::lock_guard lock(mutex_);
  const int at = positionOf(key);
  if (at < 0) return std::nullopt;
  return rows_[at];
}

bool MemoryTable::contains(const Value& key) const {
  std::lock_guard lock(mutex_);
  return positionOf(key) >= 0;
}

void MemoryTable::insert(const Row& row) {
  std::lock_guard lock(mutex_);
  if (positionOf(row.at(keyColumn_)) >= 0)
    throw plat::sql::SQLException(name_ + ": duplicate key " + row.at(keyColumn_).toString(), "23505");
  rows_.push_back(row);
  rows_.back().resize(columns_.size());
  const int at = static_cast<int>(rows_.size()) - 1;
  if (indexed_) index_[row.at(keyColumn_).toString()] = at;
  if (lookupColumn_ >= 0) lookup_[rows_.back()[lookupColumn_].toString()].push_back(at);
}

void MemoryTable::update(const Value& key, const Row& row) {
  std::lock_guard lock(mutex_);
  const int at = positionOf(key);
  if (at < 0) throw plat::sql::SQLException(name_ + ": no row with key " + key.toString(), "02000");
  const bool lookupChanged =
      lookupColumn_ >= 0 && rows_[at][lookupColumn_].toString() != row.at(lookupColumn_).toString();
  rows_[at] = row;
  rows_[at].resize(columns_.size());
  if (!row.at(keyColumn_).equals(key)) reindex();
  if (lookupChanged) relookup();
}

void MemoryTable::remove(const Value& key) {
  std::lock_guard lock(mutex_);
  const int at = positionOf(key);
  if (at < 0) throw plat::sql::SQLException(name_ + ": no row with key " + key.toString(), "02000");
  rows_.erase(rows_.begin() + at);
  reindex();
  relookup();
}

void MemoryTable::registerFilter(const std::string& name, Filter filter) {
  std::lock_guard lock(mutex_);
  filters_[name] = std::move(filter);
}

MemoryTable::Filter MemoryTable::getFilter(const std::string& name) const {
  std::lock_guard lock(mutex_);
  auto it = filters_.find(name);
  if (it == filters_.end()) throw plat::sql::SQLException(name_ + ": unknown filter " + name, "42000");
  return it->second;
}

void MemoryTable::failSave(int nth) {
  std::lock_guard lock(mutex_);
  savesUntilFailure_ = nth;
}

void MemoryTable::failInitDataStorage(int n) {
  std::lock_guard lock(mutex_);
  initFailures_ = n;
}

void MemoryTable::failRead(int position, int n) {
  std::lock_guard lock(mutex_);
  readFailurePosition_ = position;
  readFailures_ = n;
}

bool MemoryTable::takeReadFailure(int position) {
  std::lock_guard lock(mutex_);
  if (position != readFailurePosition_ || readFailures_ <= 0) return false;
  --readFailures_;
  return true;
}

bool MemoryTable::takeSaveFailure() {
  std::lock_guard lock(mutex_);
  return savesUntilFailure_ > 0 && --savesUntilFailure_ == 0;
}

bool MemoryTable::takeInitFailure() {
  std::lock_guard lock(mutex_);
  if (initFailures_ <= 0) return false;
  --initFailures_;
  return true;
}

}  // namespace testkit::beans
