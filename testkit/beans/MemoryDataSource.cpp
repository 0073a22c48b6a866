#include "testkit/beans/MemoryDataSource.h"

#include <algorithm>

namespace testkit::beans {

using plat::lang::Value;
using quenlora::zafoli::db::beans::binding::TriggerUIEvent;

namespace {
const char* const kVirtualColumns[] = {"RowNumber", "RowState", "NumberOfRows", "CurrentDataSource"};
}

MemoryDataSource::MemoryDataSource(std::vector<std::string> columns, std::vector<Row> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

void MemoryDataSource::addTriggerUIListener(
    const plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>& listener) {
  if (!listener) return;
  std::lock_guard lock(mutex_);
  listeners_.push_back(listener);
}

void MemoryDataSource::removeTriggerUIListener(
    const plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>& listener) {
  std::lock_guard lock(mutex_);
  auto it = std::find(listeners_.begin(), listeners_.end(), listener);
  if (it != listeners_.end()) listeners_.erase(it);
}

int MemoryDataSource::getCurrentRowNumber() {
  std::lock_guard lock(mutex_);
  return current_;
}

int MemoryDataSource::getTotalNumberOfRows() {
  std::lock_guard lock(mutex_);
  return static_cast<int>(rows_.size());
}

Value MemoryDataSource::getValue(int row, int column) {
  std::lock_guard lock(mutex_);
  const long absolute = static_cast<long>(current_) + row;
  const int realColumns = static_cast<int>(columns_.size());
  if (virtualColumns_ && column >= realColumns && column < realColumns + 4) {
    if (column == realColumns) return Value(static_cast<int>(absolute) + 1);
    if (column == realColumns + 2) return Value(static_cast<int>(rows_.size()));
    return Value();
  }
  if (absolute < 0 || absolute >= static_cast<long>(rows_.size()) || column < 0 || column >= realColumns)
    return Value();
  const Row& r = rows_[static_cast<std::size_t>(absolute)];
  return static_cast<std::size_t>(column) < r.size() ? r[static_cast<std::size_t>(column)] : Value();
}

void MemoryDataSource::setValue(const Value& value, int row, int column) {
  int fired = TriggerUIEvent::RECORDCHANGED;
  {
    std::lock_guard lock(mutex_);
    const long absolute = static_cast<long>(current_) + row;
    writes_.push_back({value, static_cast<int>(absolute), column});
    if (virtualColumns_ && column == static_cast<int>(columns_.size())) {
      // Writing RowNumber moves to that (1-based) row, as a navigator does; a row outside the table is ignored.
      const long target = value.isNumber() ? static_cast<long>(value.longValue()) - 1 : -1;
      if (target < 0 || target >= static_cast<long>(rows_.size()) || target == current_) return;
      current_ = static_cast<int>(target);
      fired = TriggerUIEvent::RECORDNAVIGATION;
    } else {
      if (absolute < 0 || absolute >= static_cast<long>(rows_.size()) || column < 0 ||
          column >= static_cast<int>(columns_.size()))
        return;
      Row& r = rows_[static_cast<std::size_t>(absolute)];
      if (r.size() <= static_cast<std::size_t>(column)) r.resize(static_cast<std::size_t>(column) + 1);
      r[static_cast<std::size_t>(column)] = value;
    }
  }
  fire(fired);
}

std::string MemoryDataSource::publish(const std::string& alias, bool withVirtualColumns) {
  std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>> listeners;
  std::string name;
  {
    std::lock_guard lock(mutex_);
    virtualColumns_ = withVirtualColumns;
    name = alias + "@";
    for (std::size_t i = 0; i < columns_.size(); ++i) name += (i ? "," : "") + columns_[i];
    if (withVirtualColumns)
      for (const char* v : kVirtualColumns) name += std::string(",") + v;
    name += "%1";
    fullName_ = name;
    listeners = listeners_;
  }
  for (const auto& listener : listeners) listener->setDataBinding(name);
  return name;
}

std::string MemoryDataSource::getFullName() const {
  std::lock_guard lock(mutex_);
  return fullName_;
}

void MemoryDataSource::moveTo(int row) {
  {
    std::lock_guard lock(mutex_);
    current_ = row;
  }
  fire(TriggerUIEvent::RECORDNAVIGATION);
}

void MemoryDataSource::appendRow(Row row) {
  {
    std::lock_guard lock(mutex_);
    rows_.push_back(std::move(row));
  }
  fire(TriggerUIEvent::RECORDINSERTED);
}

void MemoryDataSource::removeRow(int row) {
  {
    std::lock_guard lock(mutex_);
    if (row < 0 || row >= static_cast<int>(rows_.size())) return;
    rows_.erase(rows_.begin() + row);
    if (current_ >= static_cast<int>(rows_.size()) && current_ > 0) --current_;
  }
  fire(TriggerUIEvent::RECORDDELETED);
}

void MemoryDataSource::putQuietly(const Value& value, int absoluteRow, int column) {
  std::lock_guard lock(mutex_);
  if (absoluteRow < 0 || absoluteRow >= static_cast<int>(rows_.size()) || column < 0) return;
  Row& r = rows_[static_cast<std::size_t>(absoluteRow)];
  if (r.size() <= static_cast<std::size_t>(column)) r.resize(static_cast<std::size_t>(column) + 1);
  r[static_cast<std::size_t>(column)] = value;
}

void MemoryDataSource::trigger(int type) {
  fire(type);
}

void MemoryDataSource::fire(int type) {
  std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>> listeners;
  int row;
  {
    std::lock_guard lock(mutex_);
    listeners = listeners_;
    row = current_;
    ++triggers_;
  }
  const TriggerUIEvent event(this, row, type);
  for (const auto& listener : listeners) listener->commitUI(event);
}

Value MemoryDataSource::cell(int absoluteRow, int column) const {
  std::lock_guard lock(mutex_);
  if (absoluteRow < 0 || absoluteRow >= static_cast<int>(rows_.size()) || column < 0) return Value();
  const Row& r = rows_[static_cast<std::size_t>(absoluteRow)];
  return static_cast<std::size_t>(column) < r.size() ? r[static_cast<std::size_t>(column)] : Value();
}

std::vector<MemoryDataSource::Write> MemoryDataSource::getWrites() const {
  std::lock_guard lock(mutex_);
  return writes_;
}

std::vector<plat::lang::Ref<quenlora::zafoli::db::beans::binding::TriggerUIListener>>
MemoryDataSource::getTriggerUIListeners() const {
  std::lock_guard lock(mutex_);
  return listeners_;
}

int MemoryDataSource::getTriggerCount() const {
  std::lock_guard lock(mutex_);
  return triggers_;
}

}  // namespace testkit::beans
