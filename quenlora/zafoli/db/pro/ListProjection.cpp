#include "quenlora/zafoli/db/pro/ListProjection.h"

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/pro/ListBinder.h"

namespace quenlora::zafoli::db::pro {

void ListProjection::notifyDataChange(ProjBinder& binder) {
  Projection::notifyDataChange(binder);
  auto list = listBinder_.lock();
  if (!list) return;
  try {
    list->requery();
  } catch (const plat::sql::SQLException&) {
    // The list keeps its previous rows; the master's move itself succeeded.
  }
}

}  // namespace quenlora::zafoli::db::pro
