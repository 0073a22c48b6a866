// Cell access to a data source: the contract the mediators and the data bus use. A cell is addressed by a row offset
// from the source's current record (0 is the current record) and a 0-based column. Implementations say their own
// thread contract; listeners registered here are told to refresh the bound display.
#pragma once

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"
#include "quenlora/zafoli/db/beans/binding/TriggerUIListener.h"

namespace quenlora::zafoli::db::beans::binding {

class BasicDataSource {
 public:
  BasicDataSource() = default;
  BasicDataSource(const BasicDataSource&) = delete;
  BasicDataSource& operator=(const BasicDataSource&) = delete;
  virtual ~BasicDataSource() = default;

  virtual void addTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) = 0;
  virtual void removeTriggerUIListener(const plat::lang::Ref<TriggerUIListener>& listener) = 0;
  // 0-based position of the current record.
  virtual int getCurrentRowNumber() = 0;
  virtual int getTotalNumberOfRows() = 0;
  virtual plat::lang::Value getValue(int row, int column) = 0;
  virtual void setValue(const plat::lang::Value& value, int row, int column) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding
