// Sorting a bound table of 100,000 rows (in the in-memory source, through the data bus) by header clicks (a text
// column, then Shift on an integer column: key reads, the table-changed event and the reselect) against
// std::stable_sort of a row-index array over the same two keys pre-extracted; and reading cells through the Qt
// table adapter over that bound table (display role, offscreen) against QStandardItemModel::data over the same
// cells. items = rows sorted, cells read.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/gui/InputEvent.h"
#include "platform/gui/Table.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/qt/TableModelAdapter.h"
#include "platform/lang/System.h"
#include "platform/lang/Value.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"
#include "testkit/beans/MemoryDataSource.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::beans::binding::Mediator;
using quenlora::zafoli::db::beans::binding::MediatorDS;
using quenlora::zafoli::db::beans::binding::databus::DataBus;
using quenlora::zafoli::db::beans::javax::swing::TableBindingModel;
using namespace testkit::beans;

constexpr int kRows = 100000;
std::map<std::string, double> g_rates;

// The thread's CPU time, which is what items_per_second divides by, so that the printed ratios match the
// reported figures on a busy machine.
double now() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void record(benchmark::State& state, std::int64_t items, const char* name, double start) {
  state.SetItemsProcessed(items);
  const double seconds = now() - start;
  if (seconds > 0) g_rates[name] = static_cast<double>(items) / seconds;
}

// A text of 100 distinct values, an integer and a double per row.
const std::vector<std::vector<Value>>& rows() {
  static const std::vector<std::vector<Value>> data = [] {
    std::mt19937 random(42);
    std::vector<std::vector<Value>> out;
    out.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
      out.push_back({Value("name" + std::to_string(random() % 100)), Value(static_cast<int>(random() % 100000)),
                     Value(static_cast<double>(random() % 1000000) / 100.0)});
    }
    return out;
  }();
  return data;
}

// The rows in the in-memory source, published on the data bus by its provider mediator as a form's navigator would.
struct Source {
  Ref<MemoryDataSource> data;
  Ref<Mediator> mediator;
  Source() {
    DataBus::initialize();
    Mediator::notifyOnStatic.store(false);
    Mediator::notifySizeOnStatic.store(true);
    std::vector<MemoryDataSource::Row> table;
    for (const auto& row : rows()) table.push_back(row);
    data = makeRef<MemoryDataSource>(std::vector<std::string>{"NAME", "N", "D"}, std::move(table));
    auto provider = makeRef<MediatorDS>();
    provider->setOutput(data);
    provider->setSetMethods({MediatorDS::SourceSetDescriptor});
    provider->setGetMethods({MediatorDS::SourceGetDescriptor});
    mediator = provider;
    data->publish("t", true);
  }
};

Source& source() {
  static Source instance;
  return instance;
}

struct BoundTable {
  Ref<TableBindingModel> model = makeRef<TableBindingModel>();
  Ref<plat::gui::Table> table = makeRef<plat::gui::Table>();
  BoundTable() {
    model->setTableBinding("t@NAME,N,D%All");
    model->setTable(table);
  }
  void click(int column, int modifiers) {
    const auto& header = table->getTableHeader();
    header->click(header->pointOfColumn(column), 1, modifiers);
  }
};

void BM_TableSort(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  source();
  std::unique_ptr<BoundTable> bound;
  double busy = 0;
  for (auto _ : state) {
    state.PauseTiming();
    bound = std::make_unique<BoundTable>();
    if (bound->model->getRowCount() != kRows) {
      state.SkipWithError("the bound table does not hold every row");
      break;
    }
    state.ResumeTiming();
    const double start = now();
    bound->click(0, 0);
    bound->click(1, plat::gui::InputEvent::SHIFT_MASK);
    busy += now() - start;
    benchmark::DoNotOptimize(bound->model->getIndexes().data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRows);
  if (busy > 0) g_rates["sort"] = static_cast<double>(state.iterations()) * kRows / busy;
}

void BM_TableSort_Reference(benchmark::State& state) {
  std::vector<std::string> texts;
  std::vector<std::int64_t> numbers;
  for (const auto& row : rows()) {
    texts.push_back(row[0].getString());
    numbers.push_back(row[1].getInt());
  }
  const double start = now();
  for (auto _ : state) {
    std::vector<int> index(kRows);
    std::iota(index.begin(), index.end(), 0);
    std::stable_sort(index.begin(), index.end(), [&](int a, int b) {
      const int c = texts[static_cast<std::size_t>(a)].compare(texts[static_cast<std::size_t>(b)]);
      return c != 0 ? c < 0 : numbers[static_cast<std::size_t>(a)] < numbers[static_cast<std::size_t>(b)];
    });
    benchmark::DoNotOptimize(index.data());
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "sort_reference", start);
}

constexpr int kReadRows = 1000;

void BM_AdapterData(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  source();
  BoundTable bound;
  plat::gui::qt::TableModelAdapter adapter(bound.model, bound.table);
  std::vector<QModelIndex> cells;
  for (int r = 0; r < kReadRows; ++r)
    for (int c = 0; c < 3; ++c) cells.push_back(adapter.index(r, c));
  const double start = now();
  for (auto _ : state) {
    for (const QModelIndex& cell : cells) benchmark::DoNotOptimize(adapter.data(cell, Qt::DisplayRole));
  }
  record(state, static_cast<std::int64_t>(state.iterations() * cells.size()), "data", start);
}

void BM_AdapterData_Reference(benchmark::State& state) {
  QStandardItemModel model(kReadRows, 3);
  for (int r = 0; r < kReadRows; ++r)
    for (int c = 0; c < 3; ++c) {
      const Value& v = rows()[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
      model.setItem(r, c, new QStandardItem(QString::fromStdString(v.toString())));
    }
  std::vector<QModelIndex> cells;
  for (int r = 0; r < kReadRows; ++r)
    for (int c = 0; c < 3; ++c) cells.push_back(model.index(r, c));
  const double start = now();
  for (auto _ : state) {
    for (const QModelIndex& cell : cells) benchmark::DoNotOptimize(model.data(cell, Qt::DisplayRole));
  }
  record(state, static_cast<std::int64_t>(state.iterations() * cells.size()), "data_reference", start);
}

BENCHMARK(BM_TableSort)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TableSort_Reference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdapterData)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AdapterData_Reference)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The ratios go to standard error so that a JSON report on standard output stays clean.
  for (const char* name : {"sort", "data"}) {
    const double mine = g_rates[name];
    const double reference = g_rates[std::string(name) + "_reference"];
    if (reference > 0) std::fprintf(stderr, "%s / reference: %.2f\n", name, mine / reference);
  }
  return 0;
}
