// The multiplexer of one session: the table of its logical streams indexed by stream id, the server address, the
// sharing mode and the connection id of the handshake. Table operations are exclusive on the multiplexer (a
// re-entrant lock); requests take the input-stream lock before this one, never after.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/net/IO.h"
#include "quenlora/zafoli/db/net/SocketWrapper.h"

namespace quenlora::zafoli::db::net {

class ClientSession;

class MPlex : public plat::lang::Object {
 public:
  static constexpr int SECURE_PORT = 8890;
  static constexpr int MIN_PORT = 80;

  // Opens nothing yet. sess is a back reference to the owning session; it may be null.
  MPlex(std::string host, int port, bool shareSocket, ClientSession* sess, SocketTimeouts timeouts = {});
  ~MPlex() override;
  MPlex(const MPlex&) = delete;
  MPlex& operator=(const MPlex&) = delete;

  // The lowest free stream. SQLServerConnException when the connection is lost, NetException otherwise.
  plat::lang::Ref<IO> getIO();
  // Closes the stream and frees its id; stream 0 is never released.
  void releaseIO(const plat::lang::Ref<IO>& io);
  // Closes every stream in id order, empties the table and marks the connection lost. Waits for a request that
  // is reading its reply on the shared stream.
  void close();
  // Marks the connection lost, shuts its sockets down and tells the session.
  void connectionLost();
  bool isConnectionLost() const;

  // The connect handshake on stream 0: the connection id, -1 for a refused version, or -2 with the host and
  // port of a redirect. Failures are the request failures of Requester.
  struct ConnectReply {
    std::int32_t id = 0;
    std::string host;
    int port = 0;
  };
  ConnectReply connect();
  // Sends the disconnect command; errors are ignored.
  void disconnect();

  void setConnectionID(std::int32_t id) { _connectionID = id; }
  std::int32_t getConnectionID() const { return _connectionID; }
  const std::string& getHost() const { return _host; }
  int getPort() const { return _port; }
  bool isShareSocket() const { return _shareSocket; }
  // Forgets the session (it is going away).
  void detachSession();
  ClientSession* getSession() const;
  // The read time-out of the sockets open now and opened later (0: none).
  void setReadTimeout(int ms);
  int getReadTimeout() const;
  void setReplyLimits(ReplyLimits limits);
  ReplyLimits getReplyLimits() const;
  // Streams in the table (for tests of the id pool).
  std::size_t streamCount() const;

 private:
  plat::lang::Ref<SocketWrapper> openSocket();

  // Re-entrant: losing the connection inside a request run under it (the reconnect) takes it again. Nothing waits
  // on it, so a plain recursive mutex does, at one lock pair per use.
  mutable std::recursive_mutex lock_;
  std::vector<plat::lang::Ref<IO>> _IOs;    // guarded by lock_; indexed by stream id, null for a free slot
  std::vector<plat::lang::Ref<IO>> spare_;  // guarded by lock_; released streams on the shared socket, by stream id
  std::string _host;
  int _port;
  bool _shareSocket;
  SocketTimeouts timeouts_;  // guarded by lock_
  // Written under lock_, read by every request without it: each limit is read whole, and a request that runs while
  // the limits change may pair an old one with a new one.
  std::atomic<std::uint64_t> maxReplyObjects_{ReplyLimits::kDefaultMaxObjects};
  std::atomic<std::uint64_t> maxReplyBytes_{ReplyLimits::kDefaultMaxBytes};
  std::int32_t _connectionID = 0;
  ClientSession* _sess;                // guarded by lock_; back reference, cleared by detachSession
  std::atomic<bool> _connLost{false};  // set under lock_; read without it
  plat::lang::Ref<IO> first_;          // guarded by lock_; stream 0 once made, kept for closing after the table empties
};

}  // namespace quenlora::zafoli::db::net
