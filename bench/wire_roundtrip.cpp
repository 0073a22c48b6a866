// Round trips of one session against the middleware test server on loopback: an invoke with one integer argument
// (items = round trips, with p50/p99 latency) and a 1 MB stream written and read back (bytes per second).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

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
    return {MwEncode::dataInt(args.at(0).asInt() + 1)};
  }
};

void BM_InvokeOneInt(benchmark::State& state) {
  MiddlewareServer server(serverOptions());
  const std::int32_t id = server.addObject(std::make_shared<Adder>());
  ClientSession session("127.0.0.1", server.port(), "", true);
  RemoteObject object("Adder", id, session);
  std::vector<double> micros;
  std::int32_t v = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    auto r = object.invokeMethod(0, v++);
    benchmark::DoNotOptimize(r);
    micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    if (micros.size() > 2000000) micros.clear();
  }
  state.SetItemsProcessed(state.iterations());
  std::sort(micros.begin(), micros.end());
  if (!micros.empty()) {
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
  }
}
BENCHMARK(BM_InvokeOneInt)->UseRealTime();

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

BENCHMARK_MAIN();
