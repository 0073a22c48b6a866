#include "quenlora/zafoli/db/net/ExceptionList.h"

#include <array>
#include <cstdint>

#include <cstdlib>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetError.h"
#include "quenlora/zafoli/db/net/NetErrors.h"

namespace quenlora::zafoli::db::net {

namespace {

constexpr std::size_t kLeaderBytes = 4;

}  // namespace

int ExceptionList::getType() const {
  return Define::SERVER_EXCEPTIONLIST;
}

void ExceptionList::read(plat::io::DataInputStream& in) {
  in.readShort();
  std::array<std::uint8_t, kLeaderBytes> leader;
  in.readFully(leader.data(), leader.size());
  head_.reset();
  count_ = 0;
  plat::sql::SQLException* tail = nullptr;  // last of the chain, so appending does not walk it
  for (;;) {
    plat::lang::Ref<ServerObject> object = NetClass::getNextObject(in);
    if (object->getType() == Define::SERVER_EOT) break;
    const NetError* error = NetError::of(*object);
    if (error == nullptr) {
      if (NetClass::deferError(object)) continue;
      onObjectError(*object);
    }
    std::shared_ptr<plat::sql::SQLException> exception = error->toSQLException();
    plat::sql::SQLException* added = exception.get();
    if (tail != nullptr) {
      tail->setNextException(std::move(exception));
    } else {
      head_ = std::move(exception);
    }
    tail = added;
    ++count_;
  }
}

void ExceptionList::write(plat::io::DataOutputStream&) const {
  throw plat::io::IOException("Write not permitted on ExceptionList object");
}

std::shared_ptr<plat::sql::SQLException> ExceptionList::getSQLException() const {
  if (head_) return head_;
  return std::make_shared<plat::sql::SQLException>(NetErrors::SERVER_ERROR);
}

void ExceptionList::raiseUnexpected() const {
  getSQLException()->raise();
  std::abort();  // raise() always throws
}

}  // namespace quenlora::zafoli::db::net
