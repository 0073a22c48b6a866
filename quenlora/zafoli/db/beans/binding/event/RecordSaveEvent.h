// The writing of one record or of a whole set: whether one or all, the rows affected, the kind of write, the record,
// and for a failed write the failure and the SQL text. Fields a constructor does not take hold 0 or nothing. A
// copyable value; type, rows and save type may be changed between firings. The source is a plain back reference.
#pragma once

#include <string>

#include "platform/lang/Object.h"
#include "platform/lang/Throwable.h"
#include "quenlora/zafoli/db/beans/binding/PersistentObject.h"

namespace quenlora::zafoli::db::beans::binding::event {

class RecordSaveEvent : public plat::lang::Object {
 public:
  // Event types.
  static constexpr int RECORD_SAVE_UNKNOWN = -1;
  static constexpr int RECORD_SAVE_ONE = 0;
  static constexpr int RECORD_SAVE_ALL = 1;
  static constexpr int RECORDSAVE_EXCEPTION = 3;  // a failed delete
  // Record save types.
  static constexpr int RECORDSAVETYPE_UNKNOWN = -1;
  static constexpr int RECORDSAVETYPE_INSERT = 0;
  static constexpr int RECORDSAVETYPE_DELETE = 1;
  static constexpr int RECORDSAVETYPE_UPDATE = 2;
  static constexpr int RECORDSAVETYPE_OTHER = 4;

  explicit RecordSaveEvent(plat::lang::Object* source) : source_(source) {}
  RecordSaveEvent(plat::lang::Object* source, int eventType) : source_(source), eventType_(eventType) {}
  RecordSaveEvent(plat::lang::Object* source, int eventType, int rowsAffected)
      : source_(source), eventType_(eventType), rowsAffected_(rowsAffected) {}
  RecordSaveEvent(plat::lang::Object* source, int eventType, int rowsAffected, int saveType)
      : source_(source), eventType_(eventType), rowsAffected_(rowsAffected), recordSaveType_(saveType) {}
  RecordSaveEvent(plat::lang::Object* source, int eventType, int rowsAffected, int saveType,
                  plat::lang::Ref<PersistentObject> record)
      : source_(source),
        eventType_(eventType),
        rowsAffected_(rowsAffected),
        recordSaveType_(saveType),
        record_(std::move(record)) {}
  RecordSaveEvent(plat::lang::Object* source, int eventType, int rowsAffected, int saveType,
                  plat::lang::Ref<PersistentObject> record, plat::lang::ThrowableRef exception, std::string statement)
      : source_(source),
        eventType_(eventType),
        rowsAffected_(rowsAffected),
        recordSaveType_(saveType),
        record_(std::move(record)),
        exception_(std::move(exception)),
        statement_(std::move(statement)) {}

  plat::lang::Object* getSource() const { return source_; }
  int getEventType() const { return eventType_; }
  void setEventType(int type) { eventType_ = type; }
  int getRowsAffected() const { return rowsAffected_; }
  void setRowsAffected(int rows) { rowsAffected_ = rows; }
  int getRecordSaveType() const { return recordSaveType_; }
  void setRecordSaveType(int type) { recordSaveType_ = type; }
  const plat::lang::Ref<PersistentObject>& getRecord() const { return record_; }
  const plat::lang::ThrowableRef& getException() const { return exception_; }
  // The SQL text of the failed write; empty when none was given.
  const std::string& getStatement() const { return statement_; }

  std::string getClassName() const override { return "quenlora.zafoli.db.beans.binding.event.RecordSaveEvent"; }

 private:
  plat::lang::Object* source_;  // back reference to the firing data source
  int eventType_ = 0;
  int rowsAffected_ = 0;
  int recordSaveType_ = 0;
  plat::lang::Ref<PersistentObject> record_;  // may be null
  plat::lang::ThrowableRef exception_;        // may be null
  std::string statement_;
};

}  // namespace quenlora::zafoli::db::beans::binding::event
