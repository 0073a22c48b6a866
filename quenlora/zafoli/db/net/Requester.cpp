#include "quenlora/zafoli/db/net/Requester.h"

#include <mutex>
#include <string>

#include "platform/io/ByteArrayOutputStream.h"
#include "platform/io/IOException.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/Define.h"
#include "quenlora/zafoli/db/net/ErrorException.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/WireFormat.h"

namespace quenlora::zafoli::db::net {

using plat::lang::Ref;

Requester::Requester(ClientSession& sess) : _mplex(sess.getMPlex()), _sess(&sess) {}

Requester::Requester(ClientSession* sess, Ref<MPlex> mplex) : _mplex(std::move(mplex)), _sess(sess) {}

Requester::~Requester() = default;

Ref<IO> Requester::getIO() {
  return _mplex->getIO();
}

void Requester::releaseIO(const Ref<IO>& io) {
  _mplex->releaseIO(io);
}

void Requester::markLost() {
  if (_mplex) _mplex->connectionLost();
}

void Requester::onObjectError(const ServerObject& object) {
  const int type = object.getType();
  if (type == Define::SERVER_ERROR || type == Define::SERVER_EXCEPTIONLIST) {
    serverErrorRaised_ = true;
    ServerObject::onObjectError(object);
  }
  markLost();
  throw plat::sql::SQLException(NetErrors::OBJECT_STREAM_ERROR);
}

void Requester::writeCommand(plat::io::DataOutputStream& out, const std::vector<std::string>& words) {
  std::string& text = commandText_;
  text.clear();
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0) text += _reqDelim;
    text += words[i];
  }
  WireFormat::writeString(out, text);
}

const std::string& Requester::checkText(const std::string& text) {
  if (text.find(',') != std::string::npos) throw plat::sql::SQLException(SessionErrors::COMMA_IN_TEXT + text);
  return text;
}

namespace {

// A request buffer that grew past this is given back rather than kept for the next request.
constexpr std::size_t kKeptBufferCapacity = 64 * 1024;

// Gives the stream back when the request ends, however it ends, while the input-stream lock is still held.
template <class F>
class StreamRelease {
 public:
  explicit StreamRelease(F release) : release_(std::move(release)) {}
  ~StreamRelease() {
    try {
      release_();
    } catch (...) {
    }
  }
  StreamRelease(const StreamRelease&) = delete;
  StreamRelease& operator=(const StreamRelease&) = delete;

 private:
  F release_;
};

}  // namespace

void Requester::execute() {
  if (!_mplex) throw SQLServerConnException();
  Ref<IO> io;
  try {
    io = getIO();
  } catch (const NetException& e) {
    throw plat::sql::SQLException(e.getMessage());
  }
  SocketIS& input = io->getInputStream();
  std::lock_guard<std::recursive_mutex> hold(input.requestLock());
  // The release outlives nothing it refers to: it is made after the stream and the lock and ends before them.
  StreamRelease release([this, &io] { releaseIO(io); });
  serverErrorRaised_ = false;
  try {
    // A request that waited its turn behind one that lost the connection finds the socket gone.
    if (_mplex->isConnectionLost()) throw SQLServerConnException();
    if (!requestBuffer_ || requestBuffer_->bytes().capacity() > kKeptBufferCapacity) {
      requestBuffer_ = plat::lang::makeRef<plat::io::ByteArrayOutputStream>(kFirstBufferCapacity);
      requestOut_ = plat::lang::makeRef<plat::io::DataOutputStream>(requestBuffer_);
    }
    requestBuffer_->reset();
    const plat::lang::Ref<plat::io::ByteArrayOutputStream>& buffer = requestBuffer_;
    try {
      plat::io::DataOutputStream& out = *requestOut_;
      static constexpr std::uint8_t kLead[3] = {static_cast<std::uint8_t>(Define::SERVER_REQUEST), 0, 0};
      out.write(kLead, sizeof kLead);
      writeRequest(out);
      WireFormat::writeEot(out);
      out.flush();
    } catch (const plat::io::IOException& e) {
      // A value too long for its wire object: the request is refused before anything is sent, so the connection,
      // its statements and its transaction are untouched.
      throw plat::sql::SQLException(e.getMessage() + SessionErrors::USE_STREAM);
    }
    if (buffer->size() > static_cast<std::size_t>(Define::MAX_REQUEST_BYTES)) {
      throw plat::sql::SQLException(SessionErrors::REQUEST_TOO_LONG + std::to_string(Define::MAX_REQUEST_BYTES));
    }
    io->getOutputStream().write(buffer->bytes().data(), buffer->size());
    const ReplyLimits limits = _mplex->getReplyLimits();
    input.startReply(limits.maxBytes);
    NetClass::ReplyScope reply(limits.maxObjects, limits.maxBytes);
    try {
      readResults(io->getDataInput());
    } catch (...) {
      // A failure in the middle of an object leaves the rest of the reply unread: the next request would read it
      // as its own answer, so the connection is given up.
      if (reply.broken()) markLost();
      throw;
    }
  } catch (const SQLServerConnException&) {
    markLost();
    throw;
  } catch (const plat::sql::SQLException& e) {
    if (!serverErrorRaised_ && e.getMessage() == NetErrors::OBJECT_STREAM_ERROR) markLost();
    throw;
  } catch (const ErrorException&) {
    throw plat::sql::SQLException(NetErrors::SERVER_ERROR);
  } catch (const NetException& e) {
    throw plat::sql::SQLException(SessionErrors::NET_ERROR_OPEN + e.getMessage() + SessionErrors::NET_ERROR_CLOSE);
  } catch (const plat::io::IOException&) {
    markLost();
    throw SQLServerConnException();
  }
}

}  // namespace quenlora::zafoli::db::net
