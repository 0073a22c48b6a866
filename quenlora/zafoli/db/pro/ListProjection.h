// The column consumer a list binder puts on each master column: a Projection that re-queries its list whenever
// the column's value may have changed, dropping SQL failures of the re-query. Holds its binder weakly, so a list
// binder the application dropped is simply no longer re-queried. Used on the master view's thread.
#pragma once

#include <memory>

#include "quenlora/zafoli/db/pro/Projection.h"

namespace quenlora::zafoli::db::pro {

class ListBinder;

class ListProjection : public Projection {
 public:
  explicit ListProjection(std::weak_ptr<ListBinder> listBinder) : listBinder_(std::move(listBinder)) {}

  void notifyDataChange(ProjBinder& binder) override;

 private:
  std::weak_ptr<ListBinder> listBinder_;
};

}  // namespace quenlora::zafoli::db::pro
