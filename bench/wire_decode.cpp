// Decoding of result rows from memory: 100,000 rows of five columns (INTEGER, BIGINT, VARCHAR(20), NUMERIC,
// TIMESTAMP) read through the wire factory. items_per_second counts column values, bytes_per_second wire bytes;
// the allocations per row (operator new calls, counted process-wide) are printed and reported as a counter.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "platform/io/ByteArrayInputStream.h"
#include "platform/io/DataInputStream.h"
#include "quenlora/zafoli/db/net/NetClass.h"
#include "quenlora/zafoli/db/net/NetRecord.h"

namespace {

double g_allocsPerRow[2] = {0, 0};  // decode only, decode and read; from the last run of each

}  // namespace

namespace {

using quenlora::zafoli::db::net::NetClass;
using quenlora::zafoli::db::net::NetRecord;

constexpr int kRows = 100'000;
constexpr int kColumns = 5;

// Written from the protocol tables, independently of the client's writers.
class RowWriter {
 public:
  void u8(int v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
  void i16(int v) {
    u8(v >> 8);
    u8(v);
  }
  void i32(std::int64_t v) {
    i16(static_cast<int>(v >> 16));
    i16(static_cast<int>(v));
  }
  void header(int code) {
    u8(code);
    i16(4);
    u8(0);
    i16(0);
    u8(0);
  }
  void text(const std::string& s) {
    i16(static_cast<int>(s.size()));
    for (char c : s) u8(static_cast<unsigned char>(c));
  }

  void row(int n) {
    u8(59), i16(0), u8(100), i32(n + 1), i16(kColumns);
    header(82), u8(51), i16(4), i32(n * 7);                                                              // INTEGER
    header(78), u8(51), i16(8), i32(n >> 3), i32(static_cast<std::int64_t>(n) * 1000003);                // BIGINT
    header(73), text(std::string("customer-") + std::to_string(n % 1000000) + std::string(n % 6, 'x'));  // VARCHAR
    header(83), u8(52), text(std::to_string(n % 100000) + "." + std::to_string(10 + n % 90));            // NUMERIC
    header(77);                                                                                          // TIMESTAMP
    for (int f : {2000 + n % 30, 1 + n % 12, 1 + n % 28, n % 24, n % 60, (n / 60) % 60, n % 1000}) i16(f);
  }

  std::vector<std::uint8_t> bytes;
};

const std::vector<std::uint8_t>& wire() {
  static const std::vector<std::uint8_t> bytes = [] {
    RowWriter w;
    w.bytes.reserve(kRows * 110);
    for (int n = 0; n < kRows; ++n) w.row(n);
    return w.bytes;
  }();
  return bytes;
}

// Decodes every row and reads each value through the row, as a result set would.
void decodeAll(benchmark::State& state, bool readValues) {
  const auto& bytes = wire();
  std::uint64_t allocations = 0;
  std::uint64_t rows = 0;
  for (auto _ : state) {
    plat::io::DataInputStream in(plat::lang::makeRef<plat::io::ByteArrayInputStream>(bytes));
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    for (int n = 0; n < kRows; ++n) {
      auto row = plat::lang::refCast<NetRecord>(NetClass::getNextObject(in));
      if (readValues) {
        benchmark::DoNotOptimize(row->getInt(1));
        benchmark::DoNotOptimize(row->getLong(2));
        benchmark::DoNotOptimize(row->getString(3));
        benchmark::DoNotOptimize(row->getBigDecimal(4, 2));
        benchmark::DoNotOptimize(row->getTimestamp(5));
      }
      benchmark::DoNotOptimize(row);
    }
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
    rows += kRows;
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRows * kColumns);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
  const double perRow = static_cast<double>(allocations) / static_cast<double>(rows);
  state.counters["allocs_per_row"] = perRow;
  state.counters["wire_bytes_per_row"] = static_cast<double>(bytes.size()) / kRows;
  g_allocsPerRow[readValues ? 1 : 0] = perRow;
}

void BM_WireDecode(benchmark::State& state) {
  decodeAll(state, false);
}
void BM_WireDecodeAndRead(benchmark::State& state) {
  decodeAll(state, true);
}

BENCHMARK(BM_WireDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WireDecodeAndRead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // Decimal digits live in GMP's own heap and are not counted here.
  std::printf("allocations per row (operator new): decode %.2f, decode and read %.2f\n", g_allocsPerRow[0],
              g_allocsPerRow[1]);
  return 0;
}
