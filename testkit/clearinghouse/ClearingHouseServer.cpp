#include "testkit/clearinghouse/ClearingHouseServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/err.h>
#include <openssl/x509.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <stdexcept>

namespace testkit {
namespace {

using SteadyClock = std::chrono::steady_clock;
constexpr int kSliceMs = 50;   // how often waits look at the stop flag
constexpr int kQuietMs = 100;  // an unprefixed claim is complete after this much silence
constexpr std::size_t kMaxRequest = 16384;
constexpr std::size_t kAckBytes = 10;  // "0006" "00000" "*"
constexpr int kBacklog = 64;

int msLeft(SteadyClock::time_point deadline) {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
  return ms > 0 ? static_cast<int>(ms) : 0;
}

// One accepted connection, clear or TLS; every read waits at most the time given.
class Conn {
 public:
  Conn(int fd, SSL* ssl) : fd_(fd), ssl_(ssl) {}

  // Bytes read (> 0), 0 when the time ran out, -1 at the end or on an error.
  int read(std::uint8_t* buf, std::size_t len, int waitMs, const std::atomic<bool>& stopping) {
    if (ssl_ && SSL_pending(ssl_) > 0) return sslRead(buf, len);
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
      if (stopping) return -1;
      int left = msLeft(deadline);
      if (left == 0) return 0;
      pollfd p{fd_, POLLIN, 0};
      int rc = ::poll(&p, 1, std::min(left, kSliceMs));
      if (rc < 0 && errno != EINTR) return -1;
      if (rc <= 0) continue;
      if (ssl_) {
        int n = sslRead(buf, len);
        if (n == 0) continue;  // a record without application data (e.g. a ticket): keep waiting
        return n;
      }
      ssize_t n = ::recv(fd_, buf, len, 0);
      if (n > 0) return static_cast<int>(n);
      if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
      return -1;
    }
  }

  bool write(const std::uint8_t* buf, std::size_t len) {
    if (len == 0) return true;
    if (ssl_) return SSL_write(ssl_, buf, static_cast<int>(len)) == static_cast<int>(len);
    std::size_t done = 0;
    while (done < len) {
      ssize_t n = ::send(fd_, buf + done, len - done, MSG_NOSIGNAL);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return true;
  }

  // Waits up to ms or until the client sends or leaves, whichever comes first.
  void hold(int ms, const std::atomic<bool>& stopping) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    while (!stopping) {
      int left = msLeft(deadline);
      if (left == 0) return;
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, std::min(left, kSliceMs)) > 0) return;
    }
  }

  // Waits up to ms without watching the client (the pause between two parts).
  static void pause(int ms, const std::atomic<bool>& stopping) {
    auto deadline = SteadyClock::now() + std::chrono::milliseconds(ms);
    while (!stopping && msLeft(deadline) > 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(std::min(msLeft(deadline), kSliceMs)));
    }
  }

 private:
  int sslRead(std::uint8_t* buf, std::size_t len) {
    int n = SSL_read(ssl_, buf, static_cast<int>(len));
    if (n > 0) return n;
    int err = SSL_get_error(ssl_, n);
    return err == SSL_ERROR_WANT_READ || err == SSL_ERROR_WANT_WRITE ? 0 : -1;
  }

  int fd_;
  SSL* ssl_;
};

bool isDigit(std::uint8_t b) {
  return b >= '0' && b <= '9';
}

// The claim message: four digits and that many bytes, or (unprefixed) what arrives until a short silence.
std::vector<std::uint8_t> readRequest(Conn& conn, const std::atomic<bool>& stopping) {
  std::vector<std::uint8_t> got;
  std::uint8_t buf[4096];
  auto deadline = SteadyClock::now() + std::chrono::milliseconds(ClearingHouseServer::kIoWaitMs);
  std::size_t need = 0;
  for (;;) {
    if (need == 0 && got.size() >= 4) {
      if (std::all_of(got.begin(), got.begin() + 4, isDigit)) {
        need = 4 + std::stoul(std::string(got.begin(), got.begin() + 4));
      } else {
        need = kMaxRequest;  // unprefixed: read until quiet
      }
    }
    if (need != 0 && got.size() >= need) break;
    int wait = need == kMaxRequest ? kQuietMs : msLeft(deadline);
    if (wait == 0) break;
    int n = conn.read(buf, sizeof buf, wait, stopping);
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
    if (got.size() >= kMaxRequest) break;
  }
  return got;
}

std::string subjectOf(SSL* ssl) {
  X509* peer = SSL_get1_peer_certificate(ssl);
  if (!peer) return "";
  char line[512] = {0};
  X509_NAME_oneline(X509_get_subject_name(peer), line, sizeof line);
  X509_free(peer);
  return line;
}

std::string sslErrors() {
  std::string text;
  while (unsigned long code = ERR_get_error()) {
    char buf[256];
    ERR_error_string_n(code, buf, sizeof buf);
    if (!text.empty()) text += "; ";
    text += buf;
  }
  return text;
}

}  // namespace

std::vector<std::uint8_t> ConnectionScript::framedAnswer(const std::string& record) {
  std::string n = std::to_string(5 + record.size());
  while (n.size() < 4) n.insert(0, "0");
  std::string all = n + "00000" + record;
  return {all.begin(), all.end()};
}

ConnectionScript ConnectionScript::answerAtOnce(const std::string& record, bool readAck) {
  ConnectionScript s;
  s.answer = framedAnswer(record);
  s.readAck = readAck;
  return s;
}

ConnectionScript ConnectionScript::twoParts(const std::string& record, std::size_t splitAt, int pauseMs, bool readAck) {
  ConnectionScript s = answerAtOnce(record, readAck);
  s.kind = Kind::TwoParts;
  s.splitAt = splitAt;
  s.pauseMs = pauseMs;
  return s;
}

ClearingHouseServer::ClearingHouseServer() : ClearingHouseServer(Options{}) {}

ClearingHouseServer::ClearingHouseServer(Options options) : options_(std::move(options)) {
  ::signal(SIGPIPE, SIG_IGN);  // a client that leaves early must not end the test process
  in_addr addr{};
  if (inet_pton(AF_INET, options_.address.c_str(), &addr) != 1 || (ntohl(addr.s_addr) >> 24) != 127) {
    throw std::runtime_error("clearing house: " + options_.address + " is not a 127.0.0.0/8 address");
  }
  if (options_.tls) {
    ctx_ = SSL_CTX_new(TLS_server_method());
    if (!ctx_ || SSL_CTX_use_certificate_chain_file(ctx_, options_.certFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(ctx_, options_.keyFile.c_str(), SSL_FILETYPE_PEM) != 1) {
      std::string why = sslErrors();
      if (ctx_) SSL_CTX_free(ctx_);
      throw std::runtime_error("clearing house: server certificate or key refused: " + why);
    }
    if (!options_.clientCaFile.empty()) {
      if (SSL_CTX_load_verify_locations(ctx_, options_.clientCaFile.c_str(), nullptr) != 1) {
        SSL_CTX_free(ctx_);
        throw std::runtime_error("clearing house: client CA refused");
      }
      SSL_CTX_set_verify(ctx_, SSL_VERIFY_PEER | SSL_VERIFY_FAIL_IF_NO_PEER_CERT, nullptr);
    }
  }
  listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  int one = 1;
  ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_addr = addr;
  sa.sin_port = htons(static_cast<std::uint16_t>(options_.port));
  if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(listenFd_, kBacklog) != 0) {
    std::string why = std::strerror(errno);
    ::close(listenFd_);
    if (ctx_) SSL_CTX_free(ctx_);
    throw std::runtime_error("clearing house: cannot listen on " + options_.address + ":" +
                             std::to_string(options_.port) + ": " + why);
  }
  socklen_t len = sizeof sa;
  ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&sa), &len);
  port_ = ntohs(sa.sin_port);
  default_ = ConnectionScript::answerAtOnce("ACCEPTED");
  thread_ = std::thread([this] { serve(); });
}

ClearingHouseServer::~ClearingHouseServer() {
  stop();
  if (ctx_) SSL_CTX_free(ctx_);
}

void ClearingHouseServer::stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    listenFd_ = -1;
  }
}

void ClearingHouseServer::setDefaultScript(ConnectionScript script) {
  std::lock_guard<std::mutex> lock(mu_);
  default_ = std::move(script);
}

void ClearingHouseServer::pushScript(ConnectionScript script) {
  std::lock_guard<std::mutex> lock(mu_);
  queued_.push_back(std::move(script));
}

ConnectionScript ClearingHouseServer::nextScript() {
  std::lock_guard<std::mutex> lock(mu_);
  if (queued_.empty()) return default_;
  ConnectionScript s = std::move(queued_.front());
  queued_.pop_front();
  return s;
}

std::vector<ClearingHouseServer::Received> ClearingHouseServer::received() const {
  std::lock_guard<std::mutex> lock(mu_);
  return received_;
}

std::size_t ClearingHouseServer::connectionCount() const {
  std::lock_guard<std::mutex> lock(mu_);
  return received_.size();
}

bool ClearingHouseServer::waitForConnections(std::size_t n, int timeoutMs) const {
  std::unique_lock<std::mutex> lock(mu_);
  return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return received_.size() >= n; });
}

void ClearingHouseServer::serve() {
  auto end = SteadyClock::now() + std::chrono::milliseconds(options_.lifetimeMs);
  while (!stopping_ && msLeft(end) > 0) {
    pollfd p{listenFd_, POLLIN, 0};
    if (::poll(&p, 1, kSliceMs) <= 0) continue;
    int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) continue;
    handle(fd);
    ::close(fd);
  }
}

void ClearingHouseServer::handle(int fd) {
  timeval tv{kIoWaitMs / 1000, 0};  // backstop for reads and writes inside OpenSSL
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  ConnectionScript script = nextScript();
  Received rec;
  SSL* ssl = nullptr;
  if (ctx_) {
    ssl = SSL_new(ctx_);
    SSL_set_fd(ssl, fd);
    ERR_clear_error();
    if (SSL_accept(ssl) != 1) {
      rec.handshakeOk = false;
      rec.error = "handshake failed: " + sslErrors();
    } else {
      rec.clientSubject = subjectOf(ssl);
    }
  }
  if (rec.handshakeOk) {
    Conn conn(fd, ssl);
    rec.request = readRequest(conn, stopping_);
    const std::vector<std::uint8_t>& a = script.answer;
    const int pause = std::clamp(script.pauseMs, 0, kMaxHoldMs);
    bool answered = false;
    switch (script.kind) {
      case ConnectionScript::Kind::AnswerAtOnce:
        answered = conn.write(a.data(), a.size());
        break;
      case ConnectionScript::Kind::OneByteThenWait:
        if (!a.empty()) conn.write(a.data(), 1);
        conn.hold(pause, stopping_);
        break;
      case ConnectionScript::Kind::TwoParts: {
        std::size_t split = std::min(script.splitAt, a.size());
        conn.write(a.data(), split);
        Conn::pause(pause, stopping_);
        answered = conn.write(a.data() + split, a.size() - split);
        break;
      }
      case ConnectionScript::Kind::CloseWithoutAnswer:
        break;
      case ConnectionScript::Kind::NeverAnswer:
        conn.hold(pause, stopping_);
        break;
    }
    if (answered && script.readAck) {
      std::uint8_t buf[64];
      auto deadline = SteadyClock::now() + std::chrono::milliseconds(kIoWaitMs);
      while (rec.ack.size() < kAckBytes) {
        int n = conn.read(buf, sizeof buf, msLeft(deadline), stopping_);
        if (n <= 0) break;
        rec.ack.insert(rec.ack.end(), buf, buf + n);
      }
    }
    if (ssl) SSL_shutdown(ssl);
  }
  if (ssl) SSL_free(ssl);
  {
    std::lock_guard<std::mutex> lock(mu_);
    received_.push_back(std::move(rec));
  }
  changed_.notify_all();
}

}  // namespace testkit
