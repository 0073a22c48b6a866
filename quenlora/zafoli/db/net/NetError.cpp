#include "quenlora/zafoli/db/net/NetError.h"

#include <array>

#include <cstdlib>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/SQLConnectionException.h"
#include "quenlora/zafoli/db/net/WireText.h"

namespace quenlora::zafoli::db::net {

int NetError::getType() const {
  return Define::SERVER_ERROR;
}

void NetError::read(plat::io::DataInputStream& in) {
  in.readShort();
  std::array<std::uint8_t, kLeaderBytes> leader;
  in.readFully(leader.data(), leader.size());
  leader_ = WireText::fromWire(leader.data(), leader.size());
  errorID_ = in.readInt();
  category_ = in.readInt();
  errorStr_.clear();
  for (int i = 0; i < kTexts; ++i) {
    plat::lang::Ref<ServerObject> object = NetClass::getNextObject(in);
    const auto* text = dynamic_cast<const NetString*>(object.get());
    if (text == nullptr) {
      if (NetClass::deferError(object)) continue;
      onObjectError(*object);
    }
    errorStr_.push_back(text->getString());
  }
}

void NetError::write(plat::io::DataOutputStream&) const {
  throw plat::io::IOException("Write not permitted on NetError object");
}

std::string NetError::getErrorString(int i) const {
  return i >= 0 && static_cast<std::size_t>(i) < errorStr_.size() ? errorStr_[static_cast<std::size_t>(i)] : "";
}

std::shared_ptr<plat::sql::SQLException> NetError::toSQLException() const {
  if (category_ == Define::SERVER_X_CONNECTION_FAILED) {
    return std::make_shared<SQLConnectionException>(getErrorString(0), getErrorString(1), errorID_);
  }
  return std::make_shared<plat::sql::SQLException>(getErrorString(0), getErrorString(1), errorID_);
}

void NetError::raiseUnexpected() const {
  toSQLException()->raise();
  std::abort();  // raise() always throws
}

}  // namespace quenlora::zafoli::db::net
