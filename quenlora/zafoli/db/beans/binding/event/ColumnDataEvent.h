// A change of one column value of one record: the 0-based current row (-1 for the query-by-example row), the
// 0-based column (0 for whole-record undo and delete events), the old and new values and what happened. A copyable
// value; the event type may be changed between firings by the firing object. The source is a plain back reference.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Value.h"

namespace quenlora::zafoli::db::beans::binding::event {

class ColumnDataEvent : public plat::lang::Object {
 public:
  static constexpr int COLUMN_CHANGED = 0;
  static constexpr int COLUMN_UNDO = 1;
  static constexpr int COLUMN_DELETED = 2;

  ColumnDataEvent(plat::lang::Object* source, int row, int column, plat::lang::Value oldValue,
                  plat::lang::Value newValue, int type)
      : source_(source),
        rowNumber_(row),
        columnNumber_(column),
        oldValue_(std::move(oldValue)),
        newValue_(std::move(newValue)),
        eventType_(type) {}

  plat::lang::Object* getSource() const { return source_; }
  int getRowNumber() const { return rowNumber_; }
  int getColumnNumber() const { return columnNumber_; }
  const plat::lang::Value& getOldValue() const { return oldValue_; }
  const plat::lang::Value& getNewValue() const { return newValue_; }
  int getEventType() const { return eventType_; }
  void setEventType(int type) { eventType_ = type; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.event.ColumnDataEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the firing data source
  int rowNumber_;
  int columnNumber_;
  plat::lang::Value oldValue_;
  plat::lang::Value newValue_;
  int eventType_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
