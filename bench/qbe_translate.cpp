// Query-by-example translation. Cells: 20 typical cells (numbers, ranges, patterns, lists, dates, negations)
// translated in a loop through QBExlator::xlatField; items_per_second = cells per second. Form: a five-entry row
// (numeric, text and date columns) through xlatForm at engine 7, the fix-up included; items = cells (five a row).
// The program counts its allocations: allocs_per_cell_first and allocs_per_cell_last are the averages over the
// first and the last tenth of the run, and the run is marked failed when the last tenth allocates more per cell.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/qbe/QBExlator.h"
#include "quenlora/zafoli/db/beans/qbe/QbeClasses.h"

namespace {

using quenlora::zafoli::db::beans::qbe::QBExlator;

const std::vector<std::string>& cells() {
  static const std::vector<std::string> list = {
      "42",           ">100",       "<=5",   "10..20", "Smith", "Sm*", "*son",    "<>0",  ">=10", "=Jones",
      ">=2020-01-01", "2021-06-30", "not 7", "A*B",    ">-3.5", "1e3", "<>Smith", "<'M'", "?ohn", "0..9999"};
  return list;
}

void prepare() {
  static const bool ready = [] {
    quenlora::zafoli::db::beans::qbe::registerQbeClasses(plat::runvale::ClassRegistry::instance());
    QBExlator();
    return true;
  }();
  (void)ready;
}

// Runs one call per iteration and reports the allocations per item over the first and last tenth of the run.
template <class Body>
void measure(benchmark::State& state, int itemsPerCall, Body body) {
  const auto total = static_cast<long long>(state.max_iterations);
  const long long tenth = total / 10 > 0 ? total / 10 : 1;
  long long i = 0, firstAllocs = 0, lastAllocs = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    body(i);
    const std::int64_t used = g_allocations.load(std::memory_order_relaxed) - before;
    if (i < tenth) firstAllocs += used;
    if (i >= total - tenth) lastAllocs += used;
    ++i;
  }
  state.SetItemsProcessed(state.iterations() * itemsPerCall);
  const double first = static_cast<double>(firstAllocs) / static_cast<double>(tenth * itemsPerCall);
  const double last = static_cast<double>(lastAllocs) / static_cast<double>(tenth * itemsPerCall);
  state.counters["allocs_per_cell_first"] = first;
  state.counters["allocs_per_cell_last"] = last;
  if (last > first) state.SkipWithError("allocations per cell grew during the run");
}

void BM_QbeTranslateCells(benchmark::State& state) {
  prepare();
  QBExlator().setEngine(QBExlator::eEngNull);
  const auto& list = cells();
  long long refused = 0;
  measure(state, 1, [&](long long i) {
    std::string out;
    try {
      out = QBExlator::xlatField(list[static_cast<std::size_t>(i) % list.size()], "COL");
    } catch (const QBExlator::QBExlatException&) {
      ++refused;
    }
    benchmark::DoNotOptimize(out);
  });
  state.counters["refused_cells"] = static_cast<double>(refused);
}
BENCHMARK(BM_QbeTranslateCells)->Iterations(2000000);

void BM_QbeTranslateFormEngine7(benchmark::State& state) {
  prepare();
  QBExlator translator;
  translator.setEngine(QBExlator::eEngPointbase);
  const std::vector<std::string> form = {"ID:4:>100", "NAME:12:Sm*", "BORN:91:>=2020-01-01", "AMOUNT:2:10..20",
                                         "CITY:12:<>Berlin"};
  measure(state, static_cast<int>(form.size()), [&](long long) {
    std::string out = translator.xlatForm(form, true);
    benchmark::DoNotOptimize(out);
  });
  translator.setEngine(QBExlator::eEngNull);
}
BENCHMARK(BM_QbeTranslateFormEngine7)->Iterations(200000);

}  // namespace

BENCHMARK_MAIN();
