// Drives the request layer and the driver against a scripted server whose replies come from the input: a remote
// call, a remote stream read to its end, and a query whose rows are read. A reply is the input's body repeated
// (up to 1 MB), cut into packets of a size the input picks, under reply limits the input may lower, so long lists,
// many objects and oversized replies are all reachable. A hostile reply may only fail with the library's
// exceptions; it must never crash, hang, return another call's answer, or leave a session out of step.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
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
#include "testkit/middleware/MiddlewareServer.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Bytes;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;
using testkit::middleware::ParsedRequest;

constexpr std::size_t kMaxReply = 1 << 20;
constexpr int kProbe = 77;  // the method whose answer proves the session is still in step

// The scripted reply for the current input, the answers of the driver's handshake objects, and the probe.
struct Script {
  std::mutex mu;
  Bytes reply;
  int servedFuzz = 0;  // how often the fuzz reply may still be given
};

Script& script() {
  static Script s;
  return s;
}

MiddlewareServer& server() {
  static MiddlewareServer* s = [] {
    MiddlewareServer::Options options;
    options.record = false;
    options.lifetimeMs = 24 * 3600 * 1000;
    auto* made = new MiddlewareServer(options);  // lives as long as the process
    made->setHandler([](const ParsedRequest& r) -> std::optional<Bytes> {
      const auto& w = r.words;
      if (w.size() >= 2 && w[0] == "proxy" && w[1] == "new") return MwEncode::dataInt(1).bytes;
      if (w.size() < 4 || w[0] != "proxy" || w[1] != "invoke") return std::nullopt;
      const int method = std::atoi(w[3].c_str());
      if (method == kProbe) return MwEncode::list({MwEncode::dataInt(kProbe)}).bytes;
      std::lock_guard<std::mutex> hold(script().mu);
      if (w[2] == "1" && method == 0) return MwEncode::list({MwEncode::dataInt(2)}).bytes;  // driver connect
      if (w[2] == "2" && method == 0) return MwEncode::list({MwEncode::dataInt(3)}).bytes;  // createStatement
      if (script().servedFuzz > 0) {
        --script().servedFuzz;
        return script().reply;
      }
      return MwEncode::list({}).bytes;
    });
    return made;
  }();
  return *s;
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
        "jdbc:orvo://127.0.0.1:" + std::to_string(server().port()) + "/fuzz", info);
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
  {
    std::lock_guard<std::mutex> hold(script().mu);
    script().reply = std::move(reply);
    script().servedFuzz = mode == 2 ? 2 : 1;
  }
  server().setPacketSize(packet);

  if (mode == 2) {
    driveDriver();
    return 0;
  }
  SocketTimeouts timeouts;
  timeouts.readMs = 100;  // a reply that ends early must not hang the run; loopback delivers the rest sooner
  quietly([&] {
    ClientSession session("127.0.0.1", server().port(), "", true, timeouts);
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
