// Told before and after a column value of a data source changes. A before-event is information, not a request:
// nothing a listener does can veto the change. Called on the thread that edits, outside the source's lock.
#pragma once

#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEvent.h"

namespace quenlora::zafoli::db::beans::binding::event {

class ColumnDataEventListener {
 public:
  ColumnDataEventListener() = default;
  ColumnDataEventListener(const ColumnDataEventListener&) = delete;
  ColumnDataEventListener& operator=(const ColumnDataEventListener&) = delete;
  virtual ~ColumnDataEventListener() = default;

  virtual void onAfterColumnDataChange(const ColumnDataEvent& event) = 0;
  virtual void onBeforeColumnDataChange(const ColumnDataEvent& event) = 0;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
