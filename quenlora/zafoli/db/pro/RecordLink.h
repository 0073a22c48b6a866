// A consumer of a view's current record: told when the current record or its state changed. The view holds it
// weakly: whoever binds it keeps it, and it may hold its view's handle (to call next(), say). Called on the thread
// of the view call that caused it.
#pragma once

namespace quenlora::zafoli::db::pro {

class Record;

class RecordLink {
 public:
  virtual ~RecordLink() = default;
  virtual void init() = 0;
  virtual void notifyRecordChange(Record& record) = 0;
};

}  // namespace quenlora::zafoli::db::pro
