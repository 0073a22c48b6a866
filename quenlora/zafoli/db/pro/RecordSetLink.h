// A consumer of a view's rows as a whole: told when the view was reset (save, undo, restart, a master move, the
// detail switch, a deleted master row). The view holds it weakly: whoever binds it keeps it, and it may hold its
// view's handle. Called on the thread of the view call that caused it.
#pragma once

namespace quenlora::zafoli::db::pro {

class RelationView;

class RecordSetLink {
 public:
  virtual ~RecordSetLink() = default;
  virtual void init() = 0;
  virtual void notifyRecordSetChange(RelationView& view) = 0;
};

}  // namespace quenlora::zafoli::db::pro
