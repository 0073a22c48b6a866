// A move of a data source's current record, or a boundary reached: the kind of move, a row number, the old and new
// current records (either may be absent) and whether the new record and the whole source have unsaved changes.
// These codes are not the navigation codes of NavigationalDataSource (FIRST is 3 there and 0 here). A copyable
// value; the event type may be changed between firings. The source is a plain back reference.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordNavigateEvent : public plat::lang::Object {
 public:
  static constexpr int RECORD_NAVIGATION_UNKNOWN = -1;
  static constexpr int RECORD_NAVIGATION_FIRST = 0;
  static constexpr int RECORD_NAVIGATION_NEXT = 2;
  static constexpr int RECORD_NAVIGATION_PREV = 3;
  static constexpr int RECORD_NAVIGATION_NEW = 4;
  static constexpr int RECORD_NAVIGATION_QBE = 5;
  static constexpr int RECORD_NAVIGATION_GOTO = 6;
  static constexpr int RECORD_NAVIGATION_RESTART = 7;
  static constexpr int RECORD_BOUNDARY_FIRST = 8;
  static constexpr int RECORD_BOUNDARY_LAST = 9;
  static constexpr int RECORD_BOUNDARY_NORECORDS = 10;
  static constexpr int RECORD_BOUNDARY_LAST_REACHED = 11;

  RecordNavigateEvent(plat::lang::Object* source, int type) : source_(source), eventType_(type) {}
  RecordNavigateEvent(plat::lang::Object* source, int type, int row)
      : source_(source), eventType_(type), rowNumber_(row) {}
  RecordNavigateEvent(plat::lang::Object* source, int type, int row, plat::lang::Ref<PersistentObject> oldRecord,
                      plat::lang::Ref<PersistentObject> newRecord)
      : source_(source),
        eventType_(type),
        rowNumber_(row),
        oldRecord_(std::move(oldRecord)),
        newRecord_(std::move(newRecord)) {}
  RecordNavigateEvent(plat::lang::Object* source, int type, int row, plat::lang::Ref<PersistentObject> oldRecord,
                      plat::lang::Ref<PersistentObject> newRecord, bool dirtyRecord, bool dirtySet)
      : source_(source),
        eventType_(type),
        rowNumber_(row),
        oldRecord_(std::move(oldRecord)),
        newRecord_(std::move(newRecord)),
        dirtyRecord_(dirtyRecord),
        dirtySet_(dirtySet) {}

  plat::lang::Object* getSource() const { return source_; }
  int getEventType() const { return eventType_; }
  void setEventType(int type) { eventType_ = type; }
  int getRowNumber() const { return rowNumber_; }
  const plat::lang::Ref<PersistentObject>& getOldRecord() const { return oldRecord_; }
  const plat::lang::Ref<PersistentObject>& getNewRecord() const { return newRecord_; }
  // The new current record has unsaved changes.
  bool isDirtyRecord() const { return dirtyRecord_; }
  // The data source has unsaved changes.
  bool isDirtySet() const { return dirtySet_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.event.RecordNavigateEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the firing data source
  int eventType_;
  int rowNumber_ = 0;
  plat::lang::Ref<PersistentObject> oldRecord_;  // may be null
  plat::lang::Ref<PersistentObject> newRecord_;  // may be null
  bool dirtyRecord_ = false;
  bool dirtySet_ = false;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
