// A stand-in clearing house for tests and demos: listens on a 127.x.y.z address (an ephemeral port unless one is
// chosen), clear TCP or TLS (optionally demanding a client certificate issued by a given CA), and answers each
// connection by a script: at once, one byte then a wait, two parts with a pause, close without answer, never
// answer, optionally reading the acknowledgement afterwards. It records what every connection sent. Every wait is
// bounded, the server ends by itself after its lifetime, and the destructor stops and joins it.
// Thread contract: all public methods may be called from any thread.
#pragma once

#include <openssl/ssl.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testkit {

struct ConnectionScript {
  enum class Kind {
    AnswerAtOnce,        // the whole answer in one write
    OneByteThenWait,     // the first byte of the answer, then a wait of pauseMs, then close
    TwoParts,            // answer[0, splitAt), a pause of pauseMs, the rest
    CloseWithoutAnswer,  // read the claim, close
    NeverAnswer,         // read the claim, hold the connection for pauseMs (or until the client leaves), close
  };

  Kind kind = Kind::AnswerAtOnce;
  std::vector<std::uint8_t> answer;  // bytes sent as they are, header included
  std::size_t splitAt = 1;
  int pauseMs = 200;
  bool readAck = false;  // after answering, wait (bounded) for the acknowledgement and record it

  // An answer of the protocol's layout: four digits of 5 + record length, "00000", the record.
  static std::vector<std::uint8_t> framedAnswer(const std::string& record);
  static ConnectionScript answerAtOnce(const std::string& record, bool readAck = false);
  static ConnectionScript twoParts(const std::string& record, std::size_t splitAt, int pauseMs, bool readAck = false);
};

class ClearingHouseServer {
 public:
  static constexpr int kDefaultLifetimeMs = 120000;
  static constexpr int kIoWaitMs = 5000;    // longest wait for a claim or an acknowledgement
  static constexpr int kMaxHoldMs = 30000;  // upper bound of any scripted pause

  struct Options {
    std::string address = "127.0.0.1";  // must lie in 127.0.0.0/8
    int port = 0;                       // 0: an ephemeral port
    bool tls = false;
    std::string certFile;      // PEM server certificate (TLS)
    std::string keyFile;       // PEM server key (TLS)
    std::string clientCaFile;  // when set, a client certificate issued by this CA is required
    int lifetimeMs = kDefaultLifetimeMs;
  };

  struct Received {
    std::vector<std::uint8_t> request;  // the claim message as it arrived (prefix and identifier included)
    std::vector<std::uint8_t> ack;      // the acknowledgement, when the script read one
    bool handshakeOk = true;            // false when the TLS handshake failed
    std::string clientSubject;          // subject of the client certificate, when one was presented
    std::string error;                  // what went wrong on this connection, if anything
  };

  // Binds and starts listening; throws std::runtime_error when the address is not loopback or cannot be bound.
  explicit ClearingHouseServer(Options options);
  ClearingHouseServer();  // clear TCP on 127.0.0.1, ephemeral port
  ~ClearingHouseServer();
  ClearingHouseServer(const ClearingHouseServer&) = delete;
  ClearingHouseServer& operator=(const ClearingHouseServer&) = delete;

  const std::string& address() const { return options_.address; }
  int port() const { return port_; }

  // The script of every connection that finds no queued one.
  void setDefaultScript(ConnectionScript script);
  // Queues a script for the next connection.
  void pushScript(ConnectionScript script);

  std::vector<Received> received() const;
  std::size_t connectionCount() const;
  // Waits at most timeoutMs until n connections have been handled; true when they have.
  bool waitForConnections(std::size_t n, int timeoutMs) const;

  // Stops accepting and joins the server thread; idempotent.
  void stop();

 private:
  void serve();
  void handle(int fd);
  ConnectionScript nextScript();

  Options options_;
  int listenFd_ = -1;
  int port_ = 0;
  SSL_CTX* ctx_ = nullptr;  // owned; TLS only
  std::atomic<bool> stopping_{false};
  mutable std::mutex mu_;
  mutable std::condition_variable changed_;
  ConnectionScript default_;             // guarded by mu_
  std::deque<ConnectionScript> queued_;  // guarded by mu_
  std::vector<Received> received_;       // guarded by mu_
  std::thread thread_;
};

}  // namespace testkit
