#include "testkit/middleware/MiddlewareServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace testkit::middleware {
namespace {

using Clock = std::chrono::steady_clock;

int msLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  return left > 0 ? static_cast<int>(std::min<long long>(left, 1 << 30)) : 0;
}

// Sends the first bytes and then the second, gathered into as few calls as the socket takes.
bool sendAll(int fd, const std::uint8_t* p, std::size_t n, const std::uint8_t* q = nullptr, std::size_t m = 0) {
  while (m == 0 && n > 0) {
    const ssize_t w = ::send(fd, p, n, MSG_NOSIGNAL);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    p += w;
    n -= static_cast<std::size_t>(w);
  }
  while (n + m > 0) {
    iovec parts[2] = {{const_cast<std::uint8_t*>(p), n}, {const_cast<std::uint8_t*>(q), m}};
    msghdr msg{};
    msg.msg_iov = n > 0 ? parts : parts + 1;
    msg.msg_iovlen = n > 0 ? 2 : 1;
    ssize_t w = ::sendmsg(fd, &msg, MSG_NOSIGNAL);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    auto sent = static_cast<std::size_t>(w);
    const std::size_t fromFirst = std::min(sent, n);
    p += fromFirst;
    n -= fromFirst;
    sent -= fromFirst;
    q += sent;
    m -= sent;
  }
  return true;
}

// atoi's number of a request word: the plain digits every client sends are read without atoi's locale look-ups;
// anything else (blanks, a plus sign, no digits, out of range) still goes through atoi itself.
int wordInt(const std::string& word) {
  int value = 0;
  if (std::from_chars(word.data(), word.data() + word.size(), value).ec == std::errc()) return value;
  return std::atoi(word.c_str());
}

bool sendAll(int fd, const Bytes& b) {
  return sendAll(fd, b.data(), b.size());
}

// The session whose request this thread is answering; objects made meanwhile belong to it (0: none).
thread_local std::int32_t answeringSession = 0;

}  // namespace

MiddlewareServer::MiddlewareServer() : MiddlewareServer(Options{}) {}

MiddlewareServer::MiddlewareServer(Options options) : options_(std::move(options)) {
  packetSize_.store(options_.packetSize);
  in_addr addr{};
  if (::inet_pton(AF_INET, options_.address.c_str(), &addr) != 1 || (ntohl(addr.s_addr) >> 24) != 127) {
    throw std::runtime_error("middleware test server: not a loopback address: " + options_.address);
  }
  for (int i = 0; i < std::max(1, options_.listeners); ++i) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr = addr;
    sa.sin_port = 0;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, 64) != 0) {
      if (fd >= 0) ::close(fd);
      for (int f : listenFds_) ::close(f);
      throw std::runtime_error(std::string("middleware test server: bind: ") + std::strerror(errno));
    }
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len);
    listenFds_.push_back(fd);
    ports_.push_back(ntohs(sa.sin_port));
  }
  registerClass("ProxyStream",
                [](const std::string&, const std::vector<Arg>&) { return std::make_shared<ProxyStream>(); });
  deadline_ = Clock::now() + std::chrono::milliseconds(options_.lifetimeMs);
  acceptor_ = std::thread([this] { acceptLoop(); });
}

MiddlewareServer::~MiddlewareServer() {
  stop();
}

bool MiddlewareServer::running() const {
  // The acceptor looks at the clock every slice and marks the lifetime's end, so a request reads no clock here.
  return !stopping_.load() && !expired_.load(std::memory_order_relaxed);
}

void MiddlewareServer::stop() {
  stopping_ = true;
  if (acceptor_.joinable()) acceptor_.join();
  std::vector<std::thread> workers;
  {
    std::lock_guard<std::mutex> hold(mu_);
    workers.swap(workers_);
  }
  for (auto& t : workers) t.join();
  for (int fd : listenFds_) ::close(fd);
  listenFds_.clear();
}

void MiddlewareServer::acceptLoop() {
  std::vector<pollfd> fds;
  for (int fd : listenFds_) fds.push_back(pollfd{fd, POLLIN, 0});
  while (running()) {
    if (Clock::now() >= deadline_) {
      expired_.store(true);
      break;
    }
    if (::poll(fds.data(), fds.size(), kSliceMs) <= 0) continue;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (!(fds[i].revents & POLLIN)) continue;
      const int fd = ::accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd < 0) continue;
      int one = 1;
      ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
      std::lock_guard<std::mutex> hold(mu_);
      const int connection = connections_++;
      liveFds_.insert(fd);
      workers_.emplace_back([this, fd, i, connection] { serve(fd, static_cast<int>(i), connection); });
      changed_.notify_all();
    }
  }
  // A connection waiting for its next request waits in the read itself, without a time-out: ending its input
  // wakes it, and it sees that the server has stopped.
  std::lock_guard<std::mutex> hold(mu_);
  for (int fd : liveFds_) ::shutdown(fd, SHUT_RD);
}

namespace {

// The request bytes of one connection, read through a buffer so that a packet's header and payload (often
// several packets) come in one socket read. The first byte of a packet may be awaited while the server runs (idle
// client); the rest within kIoWaitMs. False when the peer left, the time ran out or the server stops. Every wait is
// inside the read itself (no poll before it). The idle wait has no time-out (the server ends it by shutting the
// connection's input when it stops); a wait for the rest of a packet has a receive time-out of one slice, so it
// looks at the clock and the server's state every slice.
class ConnectionReader {
 public:
  ConnectionReader(int fd, std::function<bool()> running) : fd_(fd), running_(std::move(running)), buf_(16384) {}

  bool readExactly(std::uint8_t* p, std::size_t n, bool idleStart) {
    std::size_t got = 0;
    // The clock is read only when the bytes are not buffered yet: the wait for the rest is counted from the first
    // socket read that needs them (or that brought the first of them).
    std::optional<Clock::time_point> until;
    while (got < n) {
      if (at_ < end_) {
        const std::size_t k = std::min(n - got, end_ - at_);
        std::memcpy(p + got, buf_.data() + at_, k);
        at_ += k;
        got += k;
        continue;
      }
      if (!running_()) return false;
      const bool idle = idleStart && got == 0;
      if (!idle && !until) until = Clock::now() + std::chrono::milliseconds(MiddlewareServer::kIoWaitMs);
      if (!idle && msLeft(*until) == 0) return false;
      sliced(!idle);
      const ssize_t r = ::recv(fd_, buf_.data(), buf_.size(), 0);
      if (r < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
      if (r <= 0) return false;
      at_ = 0;
      end_ = static_cast<std::size_t>(r);
    }
    return true;
  }

 private:
  // Sets the socket's receive time-out to one slice (on) or none (off), when it is not so already.
  void sliced(bool on) {
    if (on == sliced_) return;
    timeval wait{0, on ? MiddlewareServer::kSliceMs * 1000 : 0};
    ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    sliced_ = on;
  }

  int fd_;
  std::function<bool()> running_;
  Bytes buf_;
  std::size_t at_ = 0;
  std::size_t end_ = 0;
  bool sliced_ = false;  // the socket's receive time-out is one slice (else none)
};

void sleepBounded(int ms, const std::function<bool()>& running) {
  const auto until = Clock::now() + std::chrono::milliseconds(std::min(ms, MiddlewareServer::kMaxHoldMs));
  while (running() && msLeft(until) > 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min(msLeft(until), MiddlewareServer::kSliceMs)));
  }
}

}  // namespace

namespace {

// Largest reply copied behind its header and sent with send: on loopback a gathering sendmsg costs more than the
// copy of a few kilobytes.
constexpr std::size_t kCopiedReplyBytes = 8192;

}  // namespace

bool MiddlewareServer::sendReply(int fd, std::int16_t streamId, const Bytes& reply) const {
  constexpr std::size_t kLargestPayload = 0xFFFF - 2;
  const std::size_t size = packetSize_.load();
  const std::size_t step = size == 0 ? kLargestPayload : std::min(size, kLargestPayload);
  if (reply.size() <= std::min(step, kCopiedReplyBytes)) {
    // A reply of one packet up to a few kilobytes is copied behind its header and sent with a plain send.
    std::array<std::uint8_t, 5 + kCopiedReplyBytes> packet;
    const std::size_t n = reply.size();
    packet[0] = 0xBB;
    packet[1] = static_cast<std::uint8_t>((n + 2) >> 8);
    packet[2] = static_cast<std::uint8_t>(n + 2);
    packet[3] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(streamId) >> 8);
    packet[4] = static_cast<std::uint8_t>(streamId);
    if (n > 0) std::memcpy(packet.data() + 5, reply.data(), n);
    return sendAll(fd, packet.data(), 5 + n);
  }
  std::size_t from = 0;
  do {
    // Each packet's header and its part of the reply go out in one call, straight from the reply.
    const std::size_t n = std::min(step, reply.size() - from);
    const std::array<std::uint8_t, 5> header{
        0xBB, static_cast<std::uint8_t>((n + 2) >> 8), static_cast<std::uint8_t>(n + 2),
        static_cast<std::uint8_t>(static_cast<std::uint16_t>(streamId) >> 8), static_cast<std::uint8_t>(streamId)};
    if (!sendAll(fd, header.data(), header.size(), reply.data() + from, n)) return false;
    from += n;
  } while (from < reply.size());
  return true;
}

bool MiddlewareServer::waitThawed() const {
  while (frozen_.load()) {
    if (!running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(kSliceMs));
  }
  return running();
}

void MiddlewareServer::serve(int fd, int listener, int connection) {
  const std::function<bool()> live = [this] { return running(); };
  ConnectionReader reader(fd, live);
  std::int32_t session = 0;   // the session this connection belongs to, once known
  bool opensSession = false;  // this connection made the session, so its end ends the session
  Bytes payload;              // the request being answered; its buffer serves every request of the connection
  Bytes reply;                // the answer; its buffer too serves every request of the connection
  RecordedRequest rec{listener, connection, 0, {}, true};  // the request parsed, in room kept from the last one
  for (;;) {
    if (!waitThawed()) break;
    std::uint8_t header[5];
    if (!reader.readExactly(header, 5, true)) break;
    if (header[0] != 0xBB) break;
    const std::size_t frame = (std::size_t{header[1]} << 8) | header[2];
    if (frame < 2) break;
    const auto streamId = static_cast<std::int16_t>((header[3] << 8) | header[4]);
    payload.resize(frame - 2);
    if (!payload.empty() && !reader.readExactly(payload.data(), payload.size(), false)) break;
    rec.streamId = streamId;
    rec.parsed = true;
    try {
      MwParse::request(payload, rec.request);
    } catch (const ParseError&) {
      rec.parsed = false;
      rec.request = ParsedRequest{};
    }
    if (options_.record) {
      std::lock_guard<std::mutex> hold(mu_);
      packets_.push_back(RecordedPacket{listener, connection, streamId, payload});
      requests_.push_back(rec);
      changed_.notify_all();
    }
    bool noReply = false;
    reply.clear();
    if (!waitThawed()) break;
    if (rec.parsed) {
      const std::int32_t before = session;
      answeringSession = session;
      answer(rec.request, noReply, session, reply);
      answeringSession = 0;
      if (before == 0 && session != 0 && rec.request.words.size() > 1 && rec.request.words[1] == "connect") {
        opensSession = true;
      }
    } else {
      MwEncode::append(reply, MwEncode::error(1, 5, "unparsable request", "08S01"));
    }
    std::optional<Fault> fault = rec.parsed ? takeFault(rec.request.command) : std::nullopt;
    if (!fault) {
      if (!noReply && !sendReply(fd, streamId, reply)) break;
      continue;
    }
    bool keep = true;
    switch (fault->kind) {
      case Fault::Kind::Split: {
        std::size_t from = 0;
        for (std::size_t cut : fault->offsets) {
          cut = std::min(cut, reply.size());
          if (cut <= from) continue;
          keep =
              keep && sendAll(fd, MwEncode::packet(streamId, Bytes(reply.begin() + static_cast<std::ptrdiff_t>(from),
                                                                   reply.begin() + static_cast<std::ptrdiff_t>(cut))));
          from = cut;
        }
        if (from < reply.size()) {
          keep = keep && sendAll(fd, MwEncode::packet(streamId, Bytes(reply.begin() + static_cast<std::ptrdiff_t>(from),
                                                                      reply.end())));
        }
        break;
      }
      case Fault::Kind::BadMarker: {
        Bytes p = MwEncode::packet(streamId, reply);
        p[0] = 0xAA;
        sendAll(fd, p);
        break;
      }
      case Fault::Kind::ShortHeader: {
        Bytes p = MwEncode::packet(streamId, reply);
        sendAll(fd, p.data(), 3);
        keep = false;
        break;
      }
      case Fault::Kind::LengthBelowTwo:
        sendAll(fd, Bytes{0xBB, 0x00, 0x01, 0x00, 0x01});
        keep = false;
        break;
      case Fault::Kind::EmptyPacket:
        sendAll(fd, MwEncode::packet(streamId, {}));
        break;
      case Fault::Kind::DisconnectStream:
        sendAll(fd, MwEncode::packet(32766, reply));
        break;
      case Fault::Kind::CloseMidReply: {
        Bytes p = MwEncode::packet(streamId, reply);
        const std::size_t n = fault->offsets.empty() ? p.size() / 2 : std::min(fault->offsets[0], p.size());
        sendAll(fd, p.data(), n);
        keep = false;
        break;
      }
      case Fault::Kind::Delay:
        sleepBounded(fault->delayMs, live);
        if (!noReply) keep = sendReply(fd, streamId, reply);
        break;
      case Fault::Kind::NoReply: {
        // Hold until the client leaves or the hold ends.
        const auto until = Clock::now() + std::chrono::milliseconds(std::min(fault->delayMs, kMaxHoldMs));
        while (running() && msLeft(until) > 0) {
          pollfd pfd{fd, POLLIN, 0};
          if (::poll(&pfd, 1, kSliceMs) > 0) {
            std::uint8_t b;
            if (::recv(fd, &b, 1, MSG_PEEK) <= 0) break;
          }
        }
        keep = false;
        break;
      }
      case Fault::Kind::Raw:
        keep = sendAll(fd, MwEncode::packet(streamId, fault->raw));
        break;
    }
    if (!keep) break;
  }
  {
    std::lock_guard<std::mutex> hold(mu_);  // the number must not be shut down by the acceptor once reused
    liveFds_.erase(fd);
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }
  // A client that went away without closing its objects leaves nothing behind (open cursors hold locks).
  if (opensSession) dropSession(session);
}

void MiddlewareServer::dropSession(std::int32_t session) {
  std::vector<std::shared_ptr<HeldObject>> dropped;  // released outside the lock: they may close databases
  {
    std::lock_guard<std::mutex> hold(mu_);
    for (auto it = objects_.begin(); it != objects_.end();) {
      if (it->second->session != session) {
        ++it;
        continue;
      }
      dropped.push_back(std::move(it->second));
      it = objects_.erase(it);
    }
  }
  dropped.clear();
}

std::optional<Fault> MiddlewareServer::takeFault(const std::string& command) {
  if (!hasFaults_.load(std::memory_order_acquire)) return std::nullopt;
  std::lock_guard<std::mutex> hold(mu_);
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (command.rfind(it->first, 0) == 0) {
      Fault f = it->second;
      faults_.erase(it);
      hasFaults_.store(!faults_.empty(), std::memory_order_release);
      return f;
    }
  }
  return std::nullopt;
}

void MiddlewareServer::answer(const ParsedRequest& request, bool& noReply, std::int32_t& session, Bytes& out) {
  out.clear();
  if (hasHandler_.load(std::memory_order_acquire)) {
    Handler handler;
    {
      std::lock_guard<std::mutex> hold(mu_);
      handler = handler_;
    }
    if (handler) {
      if (std::optional<Bytes> custom = handler(request)) {
        out = std::move(*custom);
        return;
      }
    }
  }
  const auto& w = request.words;
  // Words are looked at where they lie; a word past the end reads as empty.
  static const std::string kNoWord;
  auto word = [&w](std::size_t i) -> const std::string& { return i < w.size() ? w[i] : kNoWord; };
  auto put = [&out](const Encoded& e) { MwEncode::append(out, e); };
  // Views, so that each comparison with a command word checks the length before any byte.
  const std::string_view head = word(0);
  const std::string_view verb = word(1);
  if (head == "session") {
    if (verb == "connect") {
      ConnectAnswer a;
      {
        std::lock_guard<std::mutex> hold(mu_);
        if (!connectAnswers_.empty()) {
          a = connectAnswers_.front();
          connectAnswers_.pop_front();
        }
        if (a.kind == ConnectAnswer::Kind::Accept && a.id == 0) a.id = nextConnectionId_++;
        if (a.kind == ConnectAnswer::Kind::Accept && a.raw.empty()) issuedIds_.insert(a.id);
      }
      if (a.kind == ConnectAnswer::Kind::Accept && a.raw.empty()) session = a.id;
      if (!a.raw.empty()) {
        out = a.raw;
        return;
      }
      if (a.kind == ConnectAnswer::Kind::Mismatch) {
        put(MwEncode::dataInt(-1));
      } else if (a.kind == ConnectAnswer::Kind::Redirect) {
        put(MwEncode::dataInt(-2));
        put(MwEncode::string(a.host));
        put(MwEncode::dataInt(a.port));
      } else {
        put(MwEncode::dataInt(a.id));
      }
    } else if (verb == "disconnect") {
      noReply = true;
    } else if (verb == "reconnect") {
      // A socket may join only a session that the server knows.
      std::lock_guard<std::mutex> hold(mu_);
      if (issuedIds_.count(wordInt(word(2))) == 0) {
        put(MwEncode::error(14, 8, "No such connection: " + word(2), "08S01"));
      } else {
        session = wordInt(word(2));
        put(MwEncode::dataInt(0));
      }
    } else if (verb == "getRepList") {
      std::lock_guard<std::mutex> hold(mu_);
      put(MwEncode::stringList(repositories_));
    } else {
      put(MwEncode::dataInt(0));
    }
    return;
  }
  if (head == "admin") {
    if (verb == "getConnectList") {
      put(MwEncode::stringList({"100", "101"}));
    } else if (verb == "getConnectDetails" || verb == "trace") {
      put(MwEncode::stringList({std::string(verb) + " " + word(2)}));
    } else if (verb == "getSrvStats") {
      put(MwEncode::stringList({"requests 1"}));
    } else if (verb == "ping") {
      std::vector<std::string> echoes;
      const int n = std::clamp(wordInt(word(3)), 0, 1000);
      for (int i = 0; i < n; ++i) echoes.push_back(word(2));
      put(MwEncode::stringList(echoes));
    } else if (verb == "getConfig") {
      std::lock_guard<std::mutex> hold(mu_);
      put(MwEncode::stringList(config_));
    } else if (verb == "setConfig") {
      // The four trace flags, in the order of the configuration list.
      std::lock_guard<std::mutex> hold(mu_);
      for (std::size_t i = 0; i < 4; ++i) config_[2 + i] = word(2 + i);
      put(MwEncode::dataInt(0));
    } else {
      put(MwEncode::dataInt(0));
    }
    return;
  }
  if (head == "debug") {
    put(MwEncode::dataInt(0));
    return;
  }
  if (head == "proxy") {
    try {
      if (verb == "new") {
        ServerObjectFactory factory;
        {
          std::lock_guard<std::mutex> hold(mu_);
          auto it = classes_.find(word(2));
          if (it == classes_.end()) throw ServerFailure(10, 0, "No such server class: " + word(2));
          factory = it->second;
        }
        put(MwEncode::dataInt(addObject(factory(word(3), request.args))));
      } else if (verb == "invoke") {
        const std::int32_t id = wordInt(word(2));
        std::shared_ptr<HeldObject> target;
        {
          std::lock_guard<std::mutex> hold(mu_);
          auto it = objects_.find(id);
          if (it == objects_.end()) throw ServerFailure(11, 0, "No such server object: " + word(2));
          target = it->second;
        }
        std::lock_guard<std::mutex> calling(target->calling);
        MwEncode::appendList(out, target->object->invoke(wordInt(word(3)), request.args));
      } else if (verb == "delete") {
        noReply = true;
        std::shared_ptr<HeldObject> gone;  // released outside the lock
        std::lock_guard<std::mutex> hold(mu_);
        auto it = objects_.find(wordInt(word(2)));
        if (it != objects_.end()) {
          gone = std::move(it->second);
          objects_.erase(it);
        }
      } else {
        throw ServerFailure(12, 5, "Unknown proxy command: " + std::string(verb));
      }
    } catch (const ServerFailure& f) {
      out.clear();
      put(MwEncode::error(f.id, f.category, f.what(), f.state));
    } catch (const std::exception& e) {
      // A server object that fails in another way answers with an error instead of ending the test process.
      out.clear();
      put(MwEncode::error(14, 5, e.what(), "S1000"));
    }
    return;
  }
  put(MwEncode::error(13, 5, "Unknown command: " + request.command, "08S01"));
}

void MiddlewareServer::registerClass(const std::string& className, ServerObjectFactory factory) {
  std::lock_guard<std::mutex> hold(mu_);
  classes_[className] = std::move(factory);
}

std::int32_t MiddlewareServer::addObject(std::shared_ptr<ServerObject> object) {
  return addObject(std::move(object), answeringSession);
}

std::int32_t MiddlewareServer::addObject(std::shared_ptr<ServerObject> object, std::int32_t session) {
  std::lock_guard<std::mutex> hold(mu_);
  const std::int32_t id = nextObjectId_++;
  auto held = std::make_shared<HeldObject>();
  held->object = std::move(object);
  held->session = session;
  objects_[id] = std::move(held);
  return id;
}

void MiddlewareServer::setPacketSize(std::size_t size) {
  packetSize_.store(size);
}

void MiddlewareServer::freeze(bool frozen) {
  frozen_.store(frozen);
}

std::shared_ptr<ServerObject> MiddlewareServer::object(std::int32_t id) const {
  std::lock_guard<std::mutex> hold(mu_);
  auto it = objects_.find(id);
  return it == objects_.end() ? nullptr : it->second->object;
}

std::size_t MiddlewareServer::objectCount() const {
  std::lock_guard<std::mutex> hold(mu_);
  return objects_.size();
}

std::size_t MiddlewareServer::objectCount(std::int32_t session) const {
  std::lock_guard<std::mutex> hold(mu_);
  return static_cast<std::size_t>(std::count_if(objects_.begin(), objects_.end(),
                                                [session](const auto& o) { return o.second->session == session; }));
}

void MiddlewareServer::dropObjects(const std::vector<std::int32_t>& ids) {
  std::vector<std::shared_ptr<HeldObject>> dropped;  // released outside the lock: they may close databases
  {
    std::lock_guard<std::mutex> hold(mu_);
    for (std::int32_t id : ids) {
      auto it = objects_.find(id);
      if (it == objects_.end()) continue;
      dropped.push_back(std::move(it->second));
      objects_.erase(it);
    }
  }
}

void MiddlewareServer::pushConnectAnswer(ConnectAnswer answer) {
  std::lock_guard<std::mutex> hold(mu_);
  connectAnswers_.push_back(std::move(answer));
}

void MiddlewareServer::pushFault(std::string commandPrefix, Fault fault) {
  std::lock_guard<std::mutex> hold(mu_);
  faults_.emplace_back(std::move(commandPrefix), std::move(fault));
  hasFaults_.store(true, std::memory_order_release);
}

void MiddlewareServer::setHandler(Handler handler) {
  std::lock_guard<std::mutex> hold(mu_);
  handler_ = std::move(handler);
  hasHandler_.store(static_cast<bool>(handler_), std::memory_order_release);
}

void MiddlewareServer::setRepositories(std::vector<std::string> names) {
  std::lock_guard<std::mutex> hold(mu_);
  repositories_ = std::move(names);
}

std::vector<RecordedPacket> MiddlewareServer::packets() const {
  std::lock_guard<std::mutex> hold(mu_);
  return packets_;
}

std::vector<RecordedRequest> MiddlewareServer::requests() const {
  std::lock_guard<std::mutex> hold(mu_);
  return requests_;
}

std::vector<std::string> MiddlewareServer::commands() const {
  std::lock_guard<std::mutex> hold(mu_);
  std::vector<std::string> out;
  for (const auto& r : requests_) out.push_back(r.request.command);
  return out;
}

bool MiddlewareServer::waitForRequests(std::size_t n, int timeoutMs) const {
  std::unique_lock<std::mutex> hold(mu_);
  return changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] { return requests_.size() >= n; });
}

std::size_t MiddlewareServer::connectionCount() const {
  std::lock_guard<std::mutex> hold(mu_);
  return static_cast<std::size_t>(connections_);
}

void MiddlewareServer::clearRecords() {
  std::lock_guard<std::mutex> hold(mu_);
  packets_.clear();
  requests_.clear();
}

}  // namespace testkit::middleware
