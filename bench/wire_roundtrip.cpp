// Round trips of one session against the middleware test server on loopback: an invoke with one integer argument
// (items = round trips, with p50/p99 latency and the allocations per round trip, operator new counted process-wide,
// client and server) and a 1 MB stream written and read back (bytes per second). A minimal ping-pong of the
// invoke's message sizes over loopback TCP (blocking sockets, TCP_NODELAY) runs in the same program, alone and
// then in blocks of 1,000 trips alternated with blocks of invokes: the invoke's rate over the ping-pong's comes from
// those alternated blocks, so that the machine's speed drifting during the run falls on both alike. Pin the
// program to one CPU (taskset -c N) for CPU-cost figures.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "bench/Affinity.h"
#include "bench/AllocationCounter.h"
#include "quenlora/zafoli/db/net/BinaryInputStream.h"
#include "quenlora/zafoli/db/net/BinaryOutputStream.h"
#include "quenlora/zafoli/db/net/ClientSession.h"
#include "quenlora/zafoli/db/net/RemoteObject.h"
#include "testkit/middleware/MiddlewareServer.h"

namespace {

using namespace quenlora::zafoli::db::net;
using testkit::middleware::Arg;
using testkit::middleware::Encoded;
using testkit::middleware::MiddlewareServer;
using testkit::middleware::MwEncode;

// The benchmarks read no records, and keeping them would make the server slower the longer a run lasts.
MiddlewareServer::Options serverOptions() {
  MiddlewareServer::Options options;
  options.record = false;
  return options;
}

class Adder : public testkit::middleware::ServerObject {
 public:
  std::vector<Encoded> invoke(int, const std::vector<Arg>& args) override {
    std::vector<Encoded> results;
    results.push_back(MwEncode::dataInt(args.at(0).asInt() + 1));  // moved in: a braced list would copy it
    return results;
  }
};

// The invoke's sizes on the wire: a 49-byte request and an 18-byte reply.
constexpr std::size_t kRequestBytes = 49;
constexpr std::size_t kReplyBytes = 18;

bool transfer(int fd, std::uint8_t* buf, std::size_t len, bool send) {
  std::size_t done = 0;
  while (done < len) {
    const ssize_t n = send ? ::send(fd, buf + done, len - done, MSG_NOSIGNAL) : ::recv(fd, buf + done, len - done, 0);
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void noDelay(int fd) {
  const int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// A loopback connection to a peer thread that answers each kRequestBytes request with kReplyBytes, until closed.
class PingPong {
 public:
  PingPong() {
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t addrLen = sizeof addr;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(listener, 1) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &addrLen) != 0) {
      ::close(listener);
      return;
    }
    peer_ = std::thread([listener] {
      const int fd = ::accept(listener, nullptr, nullptr);
      ::close(listener);
      if (fd < 0) return;
      noDelay(fd);
      std::uint8_t buf[kRequestBytes] = {};
      while (transfer(fd, buf, kRequestBytes, false) && transfer(fd, buf, kReplyBytes, true)) {
      }
      ::close(fd);
    });
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    ok_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
    noDelay(fd_);
  }
  ~PingPong() {
    if (fd_ >= 0) ::close(fd_);  // the peer's read ends, and with it the peer
    if (peer_.joinable()) peer_.join();
  }
  PingPong(const PingPong&) = delete;
  PingPong& operator=(const PingPong&) = delete;

  // One request out and its reply in; false once the connection failed.
  bool trip() {
    ok_ = ok_ && transfer(fd_, buf_, kRequestBytes, true) && transfer(fd_, buf_, kReplyBytes, false);
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  std::thread peer_;
  int fd_ = -1;
  bool ok_ = false;
  std::uint8_t buf_[kRequestBytes] = {};
};

void BM_PingPongReference(benchmark::State& state) {
  PingPong pingPong;
  for (auto _ : state) {
    if (!pingPong.trip()) break;
  }
  if (!pingPong.ok()) state.SkipWithError("the ping-pong connection failed");
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PingPongReference)->UseRealTime();

void BM_InvokeOneInt(benchmark::State& state) {
  MiddlewareServer server(serverOptions());
  const std::int32_t id = server.addObject(std::make_shared<Adder>());
  ClientSession session("127.0.0.1", server.port(), "", true);
  RemoteObject object("Adder", id, session);
  std::vector<double> micros;
  micros.reserve(2000001);
  std::int32_t v = 0;
  const std::int64_t allocationsBefore = g_allocations.load();
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    auto r = object.invokeMethod(0, v++);
    benchmark::DoNotOptimize(r);
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    if (micros.size() > 2000000) micros.clear();
  }
  const auto trips = static_cast<double>(state.iterations());
  state.counters["allocs_per_trip"] = static_cast<double>(g_allocations.load() - allocationsBefore) / trips;
  state.SetItemsProcessed(state.iterations());
  std::sort(micros.begin(), micros.end());
  if (!micros.empty()) {
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  }
}
BENCHMARK(BM_InvokeOneInt)->UseRealTime();

double g_invokeOverPingPong = 0;

// Blocks of ping-pong trips and invokes, alternated; items = round trips of both kinds.
void BM_InvokeOverPingPong(benchmark::State& state) {
  constexpr int kBlock = 1000;
  MiddlewareServer server(serverOptions());
  const std::int32_t id = server.addObject(std::make_shared<Adder>());
  ClientSession session("127.0.0.1", server.port(), "", true);
  RemoteObject object("Adder", id, session);
  PingPong pingPong;
  double pingPongSeconds = 0;
  double invokeSeconds = 0;
  std::int32_t v = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) pingPong.trip();
    const auto middle = std::chrono::steady_clock::now();
    for (int i = 0; i < kBlock; ++i) benchmark::DoNotOptimize(object.invokeMethod(0, v++));
    const auto end = std::chrono::steady_clock::now();
    pingPongSeconds += std::chrono::duration<double>(middle - start).count();
    invokeSeconds += std::chrono::duration<double>(end - middle).count();
  }
  if (!pingPong.ok()) state.SkipWithError("the ping-pong connection failed");
  const auto trips = static_cast<double>(state.iterations()) * kBlock;
  state.SetItemsProcessed(state.iterations() * 2 * kBlock);
  state.counters["pingpong_us"] = pingPongSeconds * 1e6 / trips;
  state.counters["invoke_us"] = invokeSeconds * 1e6 / trips;
  if (invokeSeconds > 0) g_invokeOverPingPong = pingPongSeconds / invokeSeconds;
  state.counters["over_pingpong"] = g_invokeOverPingPong;
}
BENCHMARK(BM_InvokeOverPingPong)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_ProxyStreamMegabyte(benchmark::State& state) {
  MiddlewareServer server(serverOptions());
  const std::int32_t id = server.addObject(std::make_shared<testkit::middleware::ProxyStream>());
  ClientSession session("127.0.0.1", server.port(), "", true);
  std::vector<std::uint8_t> data(1 << 20, 0x5A);
  for (auto _ : state) {
    {
      BinaryOutputStream out(id, session);
      out.write(data, 0, data.size());
      out.close();
    }
    BinaryInputStream in(id, session);
    auto back = in.getBytes();
    if (back.size() != data.size()) state.SkipWithError("stream lost bytes");
  }
  // Each iteration moves the megabyte twice: out and back.
  state.SetBytesProcessed(state.iterations() * 2 * static_cast<std::int64_t>(data.size()));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ProxyStreamMegabyte)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::printAffinity();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_invokeOverPingPong > 0)
    std::printf("invoke over ping-pong, alternated blocks: %.3f (bar 0.9)\n", g_invokeOverPingPong);
  return 0;
}
