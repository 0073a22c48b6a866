#include "quenlora/zafoli/db/net/Warning.h"

#include <array>

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/NetString.h"

namespace quenlora::zafoli::db::net {

namespace {

constexpr std::size_t kLeaderBytes = 4;

// The next object when it has the type; an error in its place is kept for the end of the reply and null returned.
template <class T>
plat::lang::Ref<T> expect(plat::io::DataInputStream& in, int type) {
  plat::lang::Ref<ServerObject> object = NetClass::getNextObject(in);
  auto typed = object->getType() == type ? plat::lang::refCast<T>(object) : nullptr;
  if (!typed && !NetClass::deferError(object)) ServerObject::onObjectError(*object);
  return typed;
}

}  // namespace

int Warning::getType() const {
  return Define::SERVER_SQLWARNING;
}

void Warning::read(plat::io::DataInputStream& in) {
  in.readShort();
  std::array<std::uint8_t, kLeaderBytes> leader;
  in.readFully(leader.data(), leader.size());
  const auto message = expect<NetString>(in, Define::SERVER_STRING);
  const auto state = expect<NetString>(in, Define::SERVER_STRING);
  const auto code = expect<NetData>(in, Define::SERVER_DATA);
  // The end marker is taken before the code is decoded, so a short code leaves no bytes of the warning behind.
  expect<ServerObject>(in, Define::SERVER_EOT);
  if (message) message_ = message->getString();
  if (state) SQLState_ = state->getString();
  if (!code) return;
  try {
    code_ = code->getInt();
  } catch (const plat::io::EOFException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
}

void Warning::write(plat::io::DataOutputStream&) const {
  throw plat::io::IOException("Write not permitted on Warning object");
}

std::shared_ptr<plat::sql::SQLWarning> Warning::toSQLWarning() const {
  return std::make_shared<plat::sql::SQLWarning>(message_, SQLState_, code_);
}

}  // namespace quenlora::zafoli::db::net
