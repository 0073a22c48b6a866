#include "quenlora/zafoli/db/pro/Projection.h"

#include <exception>

#include "quenlora/zafoli/db/pro/ProjBinder.h"

namespace quenlora::zafoli::db::pro {

std::string Projection::toString() const {
  if (!binder_) return "";
  try {
    return binder_->getString().value_or("");
  } catch (const std::exception&) {
    return "";
  }
}

}  // namespace quenlora::zafoli::db::pro
