#include "quenlora/zafoli/db/net/ClientSession.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "platform/lang/Exceptions.h"
#include "platform/lang/Integer.h"
#include "platform/net/NetExceptions.h"
#include "platform/net/Resolver.h"
#include "platform/sql/SQLException.h"
#include "quenlora/zafoli/db/net/NetErrors.h"
#include "quenlora/zafoli/db/net/NetException.h"
#include "quenlora/zafoli/db/net/SQLServerConnException.h"
#include "quenlora/zafoli/db/net/SessionErrors.h"
#include "quenlora/zafoli/db/net/SessionRequest.h"

namespace quenlora::zafoli::db::net {

int ClientSession::socketTimeoutMs(const plat::util::Properties& info) {
  const std::string text = info.getProperty(kSocketTimeout, "");
  if (text.empty()) return 0;
  std::int64_t seconds = -1;
  try {
    seconds = plat::lang::Integer::parseInt(text);
  } catch (const plat::lang::NumberFormatException&) {
  }
  if (seconds < 0) {
    throw plat::sql::SQLException(std::string("Invalid ") + kSocketTimeout + " \"" + text +
                                  "\": whole seconds, 0 or more, are expected");
  }
  return static_cast<int>(std::min<std::int64_t>(seconds * 1000, std::numeric_limits<int>::max()));
}

using plat::lang::Ref;

ClientSession::ClientSession(const std::string& host, int port, const std::string& repository, bool shareSocket,
                             SocketTimeouts timeouts)
    : timeouts_(timeouts) {
  (void)repository;
  plat::net::Resolver::resolve(host, port >= 0 && port <= kMaxPort ? port : 0);
  connect(host, port, shareSocket);
}

ClientSession::~ClientSession() {
  try {
    close();
  } catch (...) {
  }
}

void ClientSession::connect(std::string host, int port, bool shareSocket) {
  for (int redirects = 0;; ++redirects) {
    auto mplex = plat::lang::makeRef<MPlex>(host, port, shareSocket, this, timeouts_);
    MPlex::ConnectReply reply;
    try {
      reply = mplex->connect();
    } catch (const plat::sql::SQLException& e) {
      mplex->detachSession();
      mplex->close();
      throw NetException(e.getMessage());
    } catch (...) {
      mplex->detachSession();
      mplex->close();
      throw NetException(SessionErrors::UNABLE_TO_CONNECT);
    }
    if (reply.id == -1) {
      mplex->disconnect();
      mplex->detachSession();
      mplex->close();
      throw NetException(SessionErrors::VERSION_MISMATCH);
    }
    if (reply.id == -2) {
      mplex->detachSession();
      mplex->close();
      // A server that keeps redirecting, or sends a port no socket may use, never yields a session.
      if (redirects >= kMaxRedirects || reply.port < MPlex::MIN_PORT || reply.port > kMaxPort) {
        throw NetException(SessionErrors::UNABLE_TO_CONNECT);
      }
      if (!reply.host.empty()) {
        try {
          plat::net::Resolver::resolve(reply.host, reply.port);
        } catch (const plat::lang::Exception&) {
          throw NetException(NetErrors::LOST_CONNECTION);
        }
        host = reply.host;
      }
      port = reply.port;
      continue;
    }
    connectionID_ = reply.id;
    std::lock_guard<std::mutex> hold(mu_);
    _mplex = mplex;
    return;
  }
}

// The multiplexer is called outside mu_: it takes its own lock first and then the session's when it loses the
// connection.
void ClientSession::setReadTimeout(int ms) {
  Ref<MPlex> mplex;
  {
    std::lock_guard<std::mutex> hold(mu_);
    timeouts_.readMs = ms;
    mplex = _mplex;
  }
  if (mplex) mplex->setReadTimeout(ms);
}

void ClientSession::setReplyLimits(ReplyLimits limits) {
  if (Ref<MPlex> mplex = getMPlex()) mplex->setReplyLimits(limits);
}

void ClientSession::close() {
  Ref<MPlex> mplex;
  {
    std::lock_guard<std::mutex> hold(mu_);
    mplex = std::move(_mplex);
    _mplex.reset();
  }
  if (!mplex) return;
  mplex->disconnect();
  mplex->detachSession();
  mplex->close();
}

Ref<MPlex> ClientSession::getMPlex() const {
  std::lock_guard<std::mutex> hold(mu_);
  return _mplex;
}

void ClientSession::lostConnection(const MPlex* mplex) {
  std::lock_guard<std::mutex> hold(mu_);
  if (_mplex.get() == mplex) _mplex.reset();
}

namespace {

void runLogin(ClientSession& session, std::vector<std::string> words) {
  if (!session.getMPlex()) throw plat::sql::SQLException(SessionErrors::LOGIN_FAILURE);
  SessionRequest request(session, std::move(words), SessionRequest::Reply::Data);
  request.execute();
}

}  // namespace

void ClientSession::loginPublic(const std::string& user, const std::string& password) {
  runLogin(*this, {"session", "loginpublic", Requester::checkText(user), Requester::checkText(password)});
}

void ClientSession::loginPrivate(const std::string& key, const std::string& user, const std::string& password) {
  runLogin(*this, {"session", "loginprivate", Requester::checkText(key), Requester::checkText(user),
                   Requester::checkText(password)});
}

std::vector<std::string> ClientSession::getRepositoryList() {
  SessionRequest request(*this, {"session", "getRepList"}, SessionRequest::Reply::List);
  request.execute();
  if (!request.hasList()) throw plat::sql::SQLException(SessionErrors::REPOSITORY_LIST);
  return request.getList();
}

}  // namespace quenlora::zafoli::db::net
