// A stand-in middleware server for tests and benchmarks: listens on 127.x.y.z (ephemeral ports; more than one
// listener for redirects), one thread per connection, reads request packets, records every packet and parsed
// request (unless told not to), and answers the session, admin, debug and proxy commands (the configuration flags are
// kept between calls; a reconnect must name a connection id the server gave out), calling registered server objects.
// Scripted connect answers and faults (split replies, bad marker, short header, empty packet, disconnect stream, close
// mid reply, delay, no reply, raw replies) bend the answers; every reply can be cut into packets of a set size, and
// the server can freeze (read nothing, answer nothing) like a stopped process. The objects a session made are
// dropped when the connection that opened the session ends. Every wait is bounded, the server ends by itself after
// its lifetime, and the destructor stops and joins it. Thread contract: all public methods may be called from any
// thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "testkit/middleware/MwWire.h"
#include "testkit/middleware/ServerObject.h"

namespace testkit::middleware {

struct ConnectAnswer {
  enum class Kind { Accept, Mismatch, Redirect };
  Kind kind = Kind::Accept;
  std::string host{};  // redirect: "" means the same host
  std::int32_t port = 0;
  std::int32_t id = 0;  // accept: 0 takes the next connection id
  // Extra bytes (e.g. a short data object) sent instead of the answer when not empty.
  Bytes raw{};
};

struct Fault {
  enum class Kind {
    Split,             // the reply payload in several packets, cut at `offsets`
    BadMarker,         // the reply packet starts with 0xAA
    ShortHeader,       // three header bytes, then close
    LengthBelowTwo,    // a header whose length field is 1, then close
    EmptyPacket,       // a packet with an empty payload instead of the reply
    DisconnectStream,  // the reply on stream 32766
    CloseMidReply,     // the first offsets[0] bytes of the reply packet, then close
    Delay,             // wait delayMs, then reply
    NoReply,           // hold the connection without answering (at most delayMs), then close
    Raw,               // the reply payload is `raw`
  };
  Kind kind = Kind::Delay;
  std::vector<std::size_t> offsets{};
  int delayMs = 0;
  Bytes raw{};
};

struct RecordedPacket {
  int listener = 0;
  int connection = 0;
  std::int16_t streamId = 0;
  Bytes payload{};
};

struct RecordedRequest {
  int listener = 0;
  int connection = 0;
  std::int16_t streamId = 0;
  ParsedRequest request{};
  bool parsed = true;
};

class MiddlewareServer {
 public:
  static constexpr int kDefaultLifetimeMs = 120000;
  static constexpr int kIoWaitMs = 5000;    // longest wait for the rest of a packet once it began
  static constexpr int kMaxHoldMs = 30000;  // upper bound of any scripted delay or hold
  static constexpr int kSliceMs = 20;

  struct Options {
    std::string address = "127.0.0.1";  // must lie in 127.0.0.0/8
    int listeners = 1;
    int lifetimeMs = kDefaultLifetimeMs;
    // Off for benchmarks: the records of a long run would grow without bound and cost a copy of every packet.
    bool record = true;
    // Largest payload of a reply packet; 0 sends each reply in as few packets as the 16-bit length allows.
    std::size_t packetSize = 0;
  };

  // Handles a request before the built-in answers: the reply payload, or nullopt for the built-in answer.
  using Handler = std::function<std::optional<Bytes>(const ParsedRequest&)>;

  // Binds and starts; std::runtime_error when the address is not loopback or cannot be bound.
  explicit MiddlewareServer(Options options);
  MiddlewareServer();
  ~MiddlewareServer();
  MiddlewareServer(const MiddlewareServer&) = delete;
  MiddlewareServer& operator=(const MiddlewareServer&) = delete;

  const std::string& address() const { return options_.address; }
  int port(int listener = 0) const { return ports_.at(static_cast<std::size_t>(listener)); }

  void registerClass(const std::string& className, ServerObjectFactory factory);
  // Puts an object under a fresh id (as if made by "proxy" "new") and returns the id.
  std::int32_t addObject(std::shared_ptr<ServerObject> object);
  std::shared_ptr<ServerObject> object(std::int32_t id) const;
  std::size_t objectCount() const;
  // The live objects made for the session with that connection id (a test of what a closed object leaves behind).
  std::size_t objectCount(std::int32_t session) const;
  // Drops the objects as "proxy" "delete" does; a call running on one of them ends first.
  void dropObjects(const std::vector<std::int32_t>& ids);

  void pushConnectAnswer(ConnectAnswer answer);
  // The fault applies to the next request whose command starts with commandPrefix.
  void pushFault(std::string commandPrefix, Fault fault);
  void setHandler(Handler handler);
  void setRepositories(std::vector<std::string> names);
  // Cuts every later reply into packets of at most size payload bytes (0: as few packets as possible).
  void setPacketSize(std::size_t size);
  // While frozen the server neither reads requests nor answers them, like a stopped process; thawing resumes.
  void freeze(bool frozen);

  std::vector<RecordedPacket> packets() const;
  std::vector<RecordedRequest> requests() const;
  // The commands received, in order.
  std::vector<std::string> commands() const;
  bool waitForRequests(std::size_t n, int timeoutMs) const;
  std::size_t connectionCount() const;
  void clearRecords();

  void stop();

 private:
  struct Connection;
  void acceptLoop();
  void serve(int fd, int listener, int connection);
  // The answer to one request, into out (cleared first).
  void answer(const ParsedRequest& request, bool& noReply, std::int32_t& session, Bytes& out);
  bool sendReply(int fd, std::int16_t streamId, const Bytes& reply) const;
  // Waits while frozen; false once the server stops.
  bool waitThawed() const;
  std::int32_t addObject(std::shared_ptr<ServerObject> object, std::int32_t session);
  void dropSession(std::int32_t session);
  std::optional<Fault> takeFault(const std::string& command);
  bool running() const;

  Options options_;
  std::vector<int> listenFds_;
  std::vector<int> ports_;
  std::chrono::steady_clock::time_point deadline_;
  std::atomic<bool> stopping_{false};
  std::atomic<bool> expired_{false};  // the lifetime has ended (set by the acceptor)
  mutable std::mutex mu_;
  mutable std::condition_variable changed_;
  std::map<std::string, ServerObjectFactory> classes_;  // guarded by mu_
  // A server object with the lock its calls take one at a time and the session it belongs to (0: none). A call
  // holds the entry itself, so the object and its lock outlive a delete that comes meanwhile.
  struct HeldObject {
    std::shared_ptr<ServerObject> object;
    std::mutex calling;
    std::int32_t session = 0;
  };
  std::map<std::int32_t, std::shared_ptr<HeldObject>> objects_;  // guarded by mu_
  std::atomic<std::size_t> packetSize_{0};
  std::atomic<bool> frozen_{false};
  std::int32_t nextObjectId_ = 1;                     // guarded by mu_
  std::int32_t nextConnectionId_ = 100;               // guarded by mu_
  std::deque<ConnectAnswer> connectAnswers_;          // guarded by mu_
  std::deque<std::pair<std::string, Fault>> faults_;  // guarded by mu_
  Handler handler_;                                   // guarded by mu_
  // Set when faults_ or handler_ may hold something, so a request finds them empty without taking mu_.
  std::atomic<bool> hasFaults_{false};
  std::atomic<bool> hasHandler_{false};
  std::vector<std::string> repositories_{"alpha", "beta"};  // guarded by mu_
  std::set<std::int32_t> issuedIds_;                        // guarded by mu_; connection ids handed out
  // guarded by mu_: remote admin, debug, trace requests, objects, bytes read, bytes written
  std::vector<std::string> config_{"true", "true", "false", "false", "false", "false"};
  std::vector<RecordedPacket> packets_;    // guarded by mu_
  std::vector<RecordedRequest> requests_;  // guarded by mu_
  int connections_ = 0;                    // guarded by mu_
  std::vector<std::thread> workers_;       // guarded by mu_
  std::set<int> liveFds_;                  // guarded by mu_; descriptors of the connections being served
  std::thread acceptor_;
};

}  // namespace testkit::middleware
