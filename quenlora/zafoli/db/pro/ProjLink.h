// A column consumer bound to a view's column through its ProjBinder: told when the column's value may have changed,
// and asked in a set-data pass to push its edited value into the row (false vetoes the pending move, save or test).
// The binder holds it weakly: whoever binds it keeps it, and it may hold its view's handle. Called on the thread of
// the view call that caused it.
#pragma once

namespace quenlora::zafoli::db::pro {

class ProjBinder;

class ProjLink {
 public:
  virtual ~ProjLink() = default;
  virtual void init(ProjBinder& binder) = 0;
  virtual void notifyDataChange(ProjBinder& binder) = 0;
  virtual bool notifySetData(ProjBinder& binder) = 0;
};

}  // namespace quenlora::zafoli::db::pro
