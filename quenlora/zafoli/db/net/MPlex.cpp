#include "quenlora/zafoli/db/net/MPlex.h"

#include <string>

#include "platform/io/IOException.h"
#include "platform/lang/Throwable.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/SessionRequest.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;
using Synchronized = std::lock_guard<std::recursive_mutex>;

MPlex::MPlex(std::string host, int port, bool shareSocket, ClientSession* sess, SocketTimeouts timeouts)
    : _host(std::move(host)), _port(port), _shareSocket(shareSocket), timeouts_(timeouts), _sess(sess) {}

MPlex::~MPlex() {
  try {
    std::vector<Ref<IO>> streams;
    {
      Synchronized hold(lock_);
      streams.swap(_IOs);
      if (first_) streams.push_back(first_);
      _connLost = true;
    }
    for (auto& io : streams) {
      if (io) io->close();
    }
  } catch (...) {
  }
}

void MPlex::setReadTimeout(int ms) {
  Synchronized hold(lock_);
  timeouts_.readMs = ms;
  if (first_) first_->setReadTimeout(ms);
  for (const auto& io : _IOs) {
    if (io) io->setReadTimeout(ms);
  }
}

int MPlex::getReadTimeout() const {
  Synchronized hold(lock_);
  return timeouts_.readMs;
}

void MPlex::setReplyLimits(ReplyLimits limits) {
  Synchronized hold(lock_);
  maxReplyObjects_.store(limits.maxObjects);
  maxReplyBytes_.store(limits.maxBytes);
}

ReplyLimits MPlex::getReplyLimits() const {
  ReplyLimits limits;
  limits.maxObjects = maxReplyObjects_.load();
  limits.maxBytes = maxReplyBytes_.load();
  return limits;
}

Ref<SocketWrapper> MPlex::openSocket() {
  if (_port < MIN_PORT) throw NetException(SessionErrors::PORT_TOO_LOW);
  return plat::lang::makeRef<SocketWrapper>(_host, _port, _port == SECURE_PORT, timeouts_);
}

Ref<IO> MPlex::getIO() {
  Ref<IO> io;
  std::size_t id = 0;
  std::int32_t connectionId = 0;
  {
    Synchronized hold(lock_);
    if (_connLost) throw SQLServerConnException();
    while (id < _IOs.size() && _IOs[id]) ++id;
    if (id == _IOs.size() && id >= static_cast<std::size_t>(Define::MAX_STREAM_ID)) {
      throw NetException(SessionErrors::IO_LIMIT);
    }
    const auto streamId = static_cast<std::int16_t>(id);
    const bool ownSocket = !_shareSocket || !first_;
    if (ownSocket) {
      Ref<SocketWrapper> sock = openSocket();
      try {
        io = plat::lang::makeRef<IO>(sock, streamId, this);
      } catch (const plat::lang::Exception&) {
        sock->close();
        throw NetException(SessionErrors::IO_CONSTRUCT);
      }
    } else if (id < spare_.size() && spare_[id] && spare_[id].use_count() == 1) {
      // A stream on the shared socket is its id and the first stream's reader and writer, so one that nobody holds
      // any more serves again as it is.
      io = std::move(spare_[id]);
    } else {
      io = plat::lang::makeRef<IO>(*first_, streamId);
    }
    if (id == _IOs.size()) {
      _IOs.push_back(io);
    } else {
      _IOs[id] = io;
    }
    if (!first_) first_ = io;
    if (id == 0 || _shareSocket) return io;
    connectionId = _connectionID;
  }
  // The reconnect is a request on the new stream: it takes the stream's input lock, which comes before the
  // table's lock, so it runs after the table's lock is let go; the slot stays taken meanwhile.
  try {
    auto self = std::static_pointer_cast<MPlex>(shared_from_this());
    SessionRequest reconnect(self, {"session", "reconnect", std::to_string(connectionId)}, SessionRequest::Reply::Data,
                             io);
    reconnect.execute();
  } catch (const plat::lang::Exception&) {
    {
      Synchronized hold(lock_);
      if (id < _IOs.size() && _IOs[id] == io) _IOs[id].reset();
    }
    io->close();
    throw NetException(SessionErrors::IO_RECONNECT);
  }
  return io;
}

void MPlex::releaseIO(const Ref<IO>& io) {
  if (!io || io->getId() == Define::SYSTEM_STREAM_ID) return;
  Synchronized hold(lock_);
  const auto id = static_cast<std::size_t>(io->getId());
  if (id < _IOs.size() && _IOs[id] == io) {
    io->close();
    Ref<IO> released = std::move(_IOs[id]);
    if (!io->ownsSocket() && !_connLost) {
      if (spare_.size() <= id) spare_.resize(id + 1);
      spare_[id] = std::move(released);
    }
  }
}

void MPlex::close() {
  // A request reading its reply on the shared socket finishes first; the input-stream lock comes before ours.
  Ref<IO> first;
  {
    Synchronized hold(lock_);
    first = first_;
  }
  auto closeAll = [this] {
    std::vector<Ref<IO>> streams;
    {
      Synchronized hold(lock_);
      streams.swap(_IOs);
      spare_.clear();
      _connLost = true;
    }
    for (auto& io : streams) {
      if (io) io->close();
    }
    if (first_) first_->close();
  };
  if (first) {
    std::lock_guard<std::recursive_mutex> reading(first->getInputStream().requestLock());
    closeAll();
  } else {
    closeAll();
  }
}

void MPlex::connectionLost() {
  ClientSession* sess = nullptr;
  {
    Synchronized hold(lock_);
    if (!_connLost) {
      _connLost = true;
      // Shut the sockets down so nothing more is read from a stream that is out of step.
      for (auto& io : _IOs) {
        if (io) io->close();
      }
      if (first_) first_->close();
      spare_.clear();
    }
    sess = _sess;
  }
  if (sess != nullptr) sess->lostConnection(this);
}

bool MPlex::isConnectionLost() const {
  return _connLost.load();
}

MPlex::ConnectReply MPlex::connect() {
  auto self = std::static_pointer_cast<MPlex>(shared_from_this());
  SessionRequest request(self,
                         {"session", "connect", std::to_string(Define::SERVER_MAJOR_VERSION),
                          std::to_string(Define::SERVER_MINOR_VERSION)},
                         SessionRequest::Reply::Connect);
  request.execute();
  ConnectReply reply;
  reply.id = request.getData()->getInt();
  reply.host = request.getRedirectHost();
  reply.port = request.getRedirectPort();
  if (reply.id != -1 && reply.id != -2) _connectionID = reply.id;
  return reply;
}

void MPlex::disconnect() {
  try {
    auto self = std::static_pointer_cast<MPlex>(shared_from_this());
    SessionRequest request(self, {"session", "disconnect"}, SessionRequest::Reply::None);
    request.execute();
  } catch (const plat::lang::Exception&) {
    // the connection is going away anyway
  }
}

void MPlex::detachSession() {
  Synchronized hold(lock_);
  _sess = nullptr;
}

ClientSession* MPlex::getSession() const {
  Synchronized hold(lock_);
  return _sess;
}

std::size_t MPlex::streamCount() const {
  Synchronized hold(lock_);
  std::size_t n = 0;
  for (const auto& io : _IOs) n += io ? 1 : 0;
  return n;
}

}  // namespace quenlora::zafoli::db::net
