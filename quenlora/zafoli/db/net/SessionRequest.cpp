#include "quenlora/zafoli/db/net/SessionRequest.h"

#include "platform/io/IOException.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetString.h"
#include "quenlora/zafoli/db/net/ServerList.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

SessionRequest::SessionRequest(ClientSession& sess, std::vector<std::string> words, Reply reply)
    : Requester(sess), words_(std::move(words)), reply_(reply) {}

SessionRequest::SessionRequest(Ref<MPlex> mplex, std::vector<std::string> words, Reply reply, Ref<IO> io)
    : Requester(mplex ? mplex->getSession() : nullptr, mplex),
      words_(std::move(words)),
      reply_(reply),
      fixedIO_(std::move(io)) {}

Ref<IO> SessionRequest::getIO() {
  return fixedIO_ ? fixedIO_ : Requester::getIO();
}

void SessionRequest::releaseIO(const Ref<IO>& io) {
  // Stream 0 of the handshake and the stream of a reconnect stay in the table.
  if (fixedIO_ || reply_ == Reply::Connect) return;
  Requester::releaseIO(io);
}

void SessionRequest::writeRequest(plat::io::DataOutputStream& out) {
  writeCommand(out, words_);
}

namespace {

Ref<NetData> asData(const Ref<ServerObject>& object) {
  return plat::lang::refCast<NetData>(object);
}

}  // namespace

void SessionRequest::readResults(plat::io::DataInputStream& in) {
  if (reply_ == Reply::None) return;
  Ref<ServerObject> first = NetClass::getNextObject(in);
  if (reply_ == Reply::List) {
    auto list = plat::lang::refCast<ServerList>(first);
    if (!list) onObjectError(*first);
    list_ = list->toStringVector();
    hasList_ = true;
    return;
  }
  data_ = asData(first);
  if (!data_) onObjectError(*first);
  if (reply_ != Reply::Connect) return;
  if (data_->size() < 4) throw plat::io::IOException(SessionErrors::INVALID_SERVER_OBJECT);
  if (data_->getInt() != -2) return;
  Ref<ServerObject> host = NetClass::getNextObject(in);
  auto text = plat::lang::refCast<NetString>(host);
  if (!text) onObjectError(*host);
  host_ = text->getString();
  Ref<ServerObject> port = NetClass::getNextObject(in);
  auto portData = asData(port);
  if (!portData) onObjectError(*port);
  if (portData->size() < 4) throw plat::io::IOException(SessionErrors::INVALID_SERVER_OBJECT);
  port_ = portData->getInt();
}

}  // namespace quenlora::zafoli::db::net
