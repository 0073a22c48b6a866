#include "quenlora/zafoli/db/net/ServerObject.h"

#include <cstdlib>

#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetErrors.h"

namespace quenlora::zafoli::db::net {

void ServerObject::onObjectError(const ServerObject& object) {
  object.raiseUnexpected();
  std::abort();  // every override throws
}

void ServerObject::raiseUnexpected() const {
  throw plat::sql::SQLException(NetErrors::OBJECT_STREAM_ERROR);
}

}  // namespace quenlora::zafoli::db::net
