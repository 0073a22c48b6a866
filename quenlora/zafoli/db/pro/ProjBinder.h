// The binder of one column of a view: its column links (in the order bound, no duplicates), the enabled flag and
// the set-data pass that asks each link to push its value. While a pass runs, the binder's own data-change notices
// are dropped, so a value a link pushes does not echo back. Passes and notices walk a copy of the links, so a link
// may bind or unbind during its callback. Used on the view's thread.
#pragma once

#include <memory>
#include <vector>

#include "quenlora/zafoli/db/pro/ProjLink.h"

namespace quenlora::zafoli::db::pro {

class RelationView;

class ProjBinder {
 public:
  ProjBinder(RelationView& view, int column, bool enabled, bool columnWritable)
      : view_(view), column_(column), enabled_(enabled), columnWritable_(columnWritable) {}
  ProjBinder(const ProjBinder&) = delete;
  ProjBinder& operator=(const ProjBinder&) = delete;

  int getColumn() const { return column_; }
  RelationView& getRelationView() const { return view_; }
  // The current record is readable / writable and the column may be written (not OTHER).
  bool isReadable() const;
  bool isWritable() const;

  // Inside the library.
  // False when the link was bound already.
  bool addLink(const std::shared_ptr<ProjLink>& link);
  void removeLink(const ProjLink* link);
  void removeAllLinks() { links_.clear(); }
  bool anyLinks() const { return !links_.empty(); }
  void enable(bool on) { enabled_ = on; }
  bool isEnabled() const { return enabled_; }
  void notifyDataChange();
  // False when a link vetoed; the in-set-data flag is cleared on every exit.
  bool setDataPass();

 private:
  RelationView& view_;  // back reference: the view owns its binders
  int column_;
  bool enabled_;
  bool columnWritable_;
  bool inSetData_ = false;
  std::vector<std::shared_ptr<ProjLink>> links_;
};

}  // namespace quenlora::zafoli::db::pro
