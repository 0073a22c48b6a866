// The public handle of one connection to the middleware server: opening it runs the connect handshake (protocol
// 3.0), following redirects; requests of any thread then run one at a time over it. The session itself is not
// locked beyond its multiplexer field; close() waits for a running request to read its reply. Closes itself when
// discarded. Request objects borrow the session, which must outlive them.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/net/MPlex.h"
#include "quenlora/zafoli/db/net/SocketWrapper.h"

namespace quenlora::zafoli::db::net {

class ClientSession : public plat::lang::Object {
 public:
  // Redirects followed before the session gives up with "Unable to connect to server.".
  static constexpr int kMaxRedirects = 16;
  static constexpr int kMaxPort = 65535;
  // The connection property that bounds every wait for the server, in whole seconds (0 = none, the default).
  static constexpr const char* kSocketTimeout = "socketTimeout";

  // kSocketTimeout of the properties in milliseconds; SQLException for a text that is not whole seconds, 0 or more.
  static int socketTimeoutMs(const plat::util::Properties& info);

  // Resolves the host (UnknownHostException when it cannot be), then connects; NetException when that fails.
  // The repository name is not used. Time-outs are off unless given; one that expires marks the connection lost.
  ClientSession(const std::string& host, int port, const std::string& repository, bool shareSocket,
                SocketTimeouts timeouts = {});
  ~ClientSession() override;
  ClientSession(const ClientSession&) = delete;
  ClientSession& operator=(const ClientSession&) = delete;

  // Sends the disconnect command (errors ignored) and closes the connection; a second call does nothing.
  void close();

  // SQLException "Login Failure" when the request cannot be made; texts with a comma are refused.
  void loginPublic(const std::string& user, const std::string& password);
  void loginPrivate(const std::string& key, const std::string& user, const std::string& password);
  std::vector<std::string> getRepositoryList();

  // The read time-out of the session's sockets from now on (0: none); one that expires loses the connection.
  void setReadTimeout(int ms);
  // The limits of one reply; the defaults until set.
  void setReplyLimits(ReplyLimits limits);

  // The current multiplexer, or null once the session is closed or its connection lost.
  plat::lang::Ref<MPlex> getMPlex() const;
  // Called by the multiplexer: drops it when it is still the current one.
  void lostConnection(const MPlex* mplex);
  // The id the server gave this connection.
  std::int32_t getConnectionID() const { return connectionID_; }

 private:
  void connect(std::string host, int port, bool shareSocket);

  mutable std::mutex mu_;
  plat::lang::Ref<MPlex> _mplex;  // guarded by mu_
  SocketTimeouts timeouts_;
  std::int32_t connectionID_ = 0;
};

}  // namespace quenlora::zafoli::db::net
