// Drives the request layer and the driver against a scripted loopback peer whose replies come from the input: a remote
// call, a remote stream read to its end, and a query whose rows are read. A reply is the input's body repeated
// (up to 1 MB), cut into packets of a size the input picks, under reply limits the input may lower, so long lists,
// many objects and oversized replies are all reachable. A hostile reply may only fail with the library's
// exceptions; it must never crash, hang, return another call's answer, or leave a session out of step.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/lang/Throwable.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/ResultSetMetaData.h"
#include "platform/sql/Statement.h"
#include "platform/util/Properties.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/NetData.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"

namespace {

using namespace quenlora::zafoli::db::net;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kMaxReply = 1 << 20;
constexpr std::size_t kLargestPayload = 0xFFFF - 2;
constexpr int kProbe = 77;  // the method whose answer proves the session is still in step

Bytes dataInt(std::int32_t v) {
  const auto u = static_cast<std::uint32_t>(v);
  return {51, 0, 4, std::uint8_t(u >> 24), std::uint8_t(u >> 16), std::uint8_t(u >> 8), std::uint8_t(u)};
}

Bytes list(const Bytes& elements) {
  Bytes b{54, 0, 0};
  b.insert(b.end(), elements.begin(), elements.end());
  b.insert(b.end(), {50, 0, 0});
  return b;
}

// A loopback peer that answers the handshake, the driver's first objects and the probe, and gives the scripted
// reply to the calls under test, cut into packets of the scripted size. One thread per connection; a connection
// ends when the client closes it. It lives as long as the process.
class ScriptedPeer {
 public:
  ScriptedPeer() {
    listen_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sa;
    if (listen_ < 0 || ::bind(listen_, reinterpret_cast<sockaddr*>(&sa), len) != 0 || ::listen(listen_, 16) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
      std::abort();
    }
    port_ = ntohs(sa.sin_port);
    std::thread([this] {
      for (;;) {
        const int fd = ::accept(listen_, nullptr, nullptr);
        if (fd >= 0) std::thread([this, fd] { serve(fd); }).detach();
      }
    }).detach();
  }

  int port() const { return port_; }

  void script(Bytes reply, int times, std::size_t packet) {
    std::lock_guard<std::mutex> hold(mu_);
    reply_ = std::move(reply);
    times_ = times;
    packet_ = packet == 0 ? kLargestPayload : std::min(packet, kLargestPayload);
  }

 private:
  static bool readAll(int fd, std::uint8_t* p, std::size_t n) {
    while (n > 0) {
      const ssize_t r = ::recv(fd, p, n, 0);
      if (r <= 0) return false;
      p += r;
      n -= static_cast<std::size_t>(r);
    }
    return true;
  }

  static bool sendAll(int fd, const Bytes& b) {
    std::size_t at = 0;
    while (at < b.size()) {
      const ssize_t w = ::send(fd, b.data() + at, b.size() - at, MSG_NOSIGNAL);
      if (w <= 0) return false;
      at += static_cast<std::size_t>(w);
    }
    return true;
  }

  static bool sendReply(int fd, std::int16_t stream, const Bytes& reply, std::size_t packet) {
    std::size_t from = 0;
    do {
      const std::size_t n = std::min(packet, reply.size() - from);
      Bytes p{0xBB, std::uint8_t((n + 2) >> 8), std::uint8_t(n + 2), std::uint8_t(stream >> 8), std::uint8_t(stream)};
      p.insert(p.end(), reply.begin() + static_cast<std::ptrdiff_t>(from),
               reply.begin() + static_cast<std::ptrdiff_t>(from + n));
      if (!sendAll(fd, p)) return false;
      from += n;
    } while (from < reply.size());
    return true;
  }

  // The command words of a request payload: 56, u16, then a string object.
  static std::vector<std::string> words(const Bytes& payload) {
    std::vector<std::string> out;
    if (payload.size() < 6 || payload[3] != 52) return out;
    const std::size_t n = std::min<std::size_t>((std::size_t{payload[4]} << 8) | payload[5], payload.size() - 6);
    std::string word;
    for (std::size_t i = 0; i < n; ++i) {
      const char c = static_cast<char>(payload[6 + i]);
      if (c == ',') {
        out.push_back(word);
        word.clear();
      } else {
        word += c;
      }
    }
    out.push_back(word);
    return out;
  }

  void serve(int fd) {
    for (;;) {
      std::uint8_t header[5];
      if (!readAll(fd, header, 5)) break;
      const std::size_t frame = (std::size_t{header[1]} << 8) | header[2];
      if (frame < 2) break;
      const auto stream = static_cast<std::int16_t>((header[3] << 8) | header[4]);
      Bytes payload(frame - 2);
      if (!payload.empty() && !readAll(fd, payload.data(), payload.size())) break;
      const auto w = words(payload);
      const auto word = [&w](std::size_t i) { return i < w.size() ? w[i] : std::string(); };
      Bytes reply;
      std::size_t packet = kLargestPayload;
      if (word(0) == "session") {
        if (word(1) == "disconnect") continue;
        reply = dataInt(100);
      } else if (word(1) == "new") {
        reply = dataInt(1);
      } else if (word(1) == "delete") {
        continue;
      } else if (word(1) == "invoke" && word(3) == std::to_string(kProbe)) {
        reply = list(dataInt(kProbe));
      } else if (word(1) == "invoke" && word(2) == "1" && word(3) == "0") {
        reply = list(dataInt(2));  // the driver's connect
      } else if (word(1) == "invoke" && word(2) == "2" && word(3) == "0") {
        reply = list(dataInt(3));  // createStatement
      } else {
        std::lock_guard<std::mutex> hold(mu_);
        packet = packet_;
        if (times_ > 0) {
          --times_;
          reply = reply_;
        } else {
          reply = list({});
        }
      }
      if (!sendReply(fd, stream, reply, packet)) break;
    }
    ::close(fd);
  }

  int listen_ = -1;
  int port_ = 0;
  std::mutex mu_;
  Bytes reply_;                           // guarded by mu_
  int times_ = 0;                         // guarded by mu_; how often reply_ is still given
  std::size_t packet_ = kLargestPayload;  // guarded by mu_
};

ScriptedPeer& peer() {
  static auto* p = new ScriptedPeer();  // lives as long as the process
  return *p;
}

template <class F>
void quietly(F&& f) {
  try {
    f();
  } catch (const plat::lang::Throwable&) {
  }
}

// After a fuzz reply, a probe call on a session that is still open must get exactly its own answer.
void probe(ClientSession& session) {
  if (!session.getMPlex()) return;
  RemoteObject o("Probe", 9, session);
  RemoteObject::Results results;
  try {
    results = o.invokeMethod(kProbe);
  } catch (const plat::lang::Throwable&) {
    return;  // a connection may be given up, never answered wrongly
  }
  auto data = results.size() == 1 ? plat::lang::refCast<NetData>(results[0]) : nullptr;
  if (!data || data->size() != 4 || data->getInt() != kProbe) std::abort();
}

void driveRequest(ClientSession& session) {
  quietly([&] {
    RemoteObject o("Thing", 3, session);
    for (const auto& element : o.invokeMethod(1)) {
      if (auto data = plat::lang::refCast<NetData>(element)) quietly([&] { data->getInt(); });
    }
  });
  probe(session);
}

void driveStream(ClientSession& session) {
  quietly([&] {
    BinaryInputStream in(4, session);
    in.getBytes();
  });
  probe(session);
}

void driveDriver() {
  quietly([&] {
    plat::util::Properties info;
    info.setProperty("user", "u");
    info.setProperty("password", "p");
    info.setProperty("socketTimeout", "1");  // a reply that ends early must not hang the run
    auto conn = plat::sql::DriverManager::getConnection(
        "jdbc:orvo://127.0.0.1:" + std::to_string(peer().port()) + "/fuzz", info);
    quietly([&] {
      auto rs = conn->createStatement()->executeQuery("select");
      const int columns = rs->getMetaData()->getColumnCount();
      for (int row = 0; row < 64 && rs->next(); ++row) {
        for (int c = 1; c <= columns && c <= 16; ++c) quietly([&] { rs->getString(c); });
      }
    });
    quietly([&] { conn->close(); });
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool ready = [] {
    quenlora::zafoli::db::jdbc::registerDriver();
    return true;
  }();
  (void)ready;
  if (size < 4) return 0;
  // The driver waits whole seconds for a reply that ends early, so it gets one input in eight.
  const int mode = data[0] % 8 == 7 ? 2 : data[0] % 2;
  const std::size_t packet = data[1] == 0 ? 0 : std::size_t{data[1]} * 3;
  const std::size_t repeat = 1 + std::size_t{data[2]} * data[2];
  const bool lowLimits = (data[3] & 1) != 0;
  const Bytes body(data + 4, data + size);

  Bytes reply;
  if (!body.empty()) {
    const std::size_t times = std::min(repeat, kMaxReply / body.size() + 1);
    reply.reserve(std::min(kMaxReply, body.size() * times));
    for (std::size_t i = 0; i < times && reply.size() < kMaxReply; ++i)
      reply.insert(reply.end(), body.begin(), body.end());
    if (reply.size() > kMaxReply) reply.resize(kMaxReply);
  }
  peer().script(std::move(reply), mode == 2 ? 2 : 1, packet);

  if (mode == 2) {
    driveDriver();
    return 0;
  }
  SocketTimeouts timeouts;
  timeouts.readMs = 100;  // a reply that ends early must not hang the run; loopback delivers the rest sooner
  quietly([&] {
    ClientSession session("127.0.0.1", peer().port(), "", true, timeouts);
    if (lowLimits) {
      ReplyLimits limits;
      limits.maxObjects = 5000;
      limits.maxBytes = 64 * 1024;
      session.setReplyLimits(limits);
    }
    if (mode == 0) {
      driveRequest(session);
    } else {
      driveStream(session);
    }
  });
  return 0;
}
