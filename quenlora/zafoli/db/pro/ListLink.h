// A consumer of a lookup list kept by a list binder: initialised once, told after each re-query. Called on the
// thread of the view call that caused it.
#pragma once

namespace quenlora::zafoli::db::pro {

class ListBinder;

class ListLink {
 public:
  virtual ~ListLink() = default;
  virtual void init(ListBinder& binder) = 0;
  virtual void notifyListChange(ListBinder& binder) = 0;
};

}  // namespace quenlora::zafoli::db::pro
