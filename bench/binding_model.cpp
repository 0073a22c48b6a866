// The binding model serving a table and a text field.
// Table cells: a binding model whose lookup is alias@I,D,T,DT%All over an in-memory source of 100,000 rows
// (integers, doubles, texts, dates; one cell in ten null) reads every cell once through getValueAt, plain and with
// formatNumbers on. items_per_second = cells read per second.
// Text commits: a text field bound with the default event takes one-character inserts and removals, each committed
// through the bus into the source and its echo ignored. items_per_second = commits per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gui/TextField.h"
#include "platform/lang/Object.h"
#include "platform/time/Date.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "testkit/beans/MemoryDataSource.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::beans::binding::MediatorDS;
using quenlora::zafoli::db::beans::javax::swing::BindingModel;
using testkit::beans::MemoryDataSource;

constexpr int kRows = 100000;
constexpr int kColumns = 4;
constexpr int kCommitPairs = 100000;  // 200,000 commits per run

struct Published {
  Ref<MemoryDataSource> source;
  Ref<MediatorDS> mediator;
};

Published publish(const std::string& alias, std::vector<std::string> columns, std::vector<MemoryDataSource::Row> rows) {
  Published p;
  p.source = makeRef<MemoryDataSource>(std::move(columns), std::move(rows));
  p.mediator = makeRef<MediatorDS>();
  p.mediator->setOutput(p.source);
  p.mediator->setSetMethods({MediatorDS::SourceSetDescriptor});
  p.mediator->setGetMethods({MediatorDS::SourceGetDescriptor});
  p.source->publish(alias, true);
  return p;
}

std::vector<MemoryDataSource::Row> bigTable() {
  std::vector<MemoryDataSource::Row> rows;
  rows.reserve(kRows);
  for (int r = 0; r < kRows; ++r) {
    MemoryDataSource::Row row{Value(r), Value(r * 1.25), Value("name " + std::to_string(r)),
                              Value(plat::time::Date(2000 + r % 30, 1 + r % 12, 1 + r % 28))};
    row[static_cast<size_t>(r % kColumns)] = r % 10 == 0 ? Value() : row[static_cast<size_t>(r % kColumns)];
    rows.push_back(std::move(row));
  }
  return rows;
}

void BM_TableCells(benchmark::State& state) {
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
  Published big = publish("big", {"I", "D", "T", "DT"}, bigTable());
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("big@I,D,T,DT%All");
  model->setFormatNumbers(state.range(0) != 0);
  if (model->getRowCount() != kRows || model->getColumnCount() != kColumns) {
    state.SkipWithError("the lookup did not bind all rows");
    return;
  }
  std::size_t nonNull = 0;
  for (auto _ : state) {
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kColumns; ++c) {
        Value v = model->getValueAt(r, c);
        nonNull += v.isNull() ? 0 : 1;
        benchmark::DoNotOptimize(v);
      }
    }
  }
  benchmark::DoNotOptimize(nonNull);
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
}
BENCHMARK(BM_TableCells)->Arg(0)->ArgName("formatNumbers")->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_TableCells)->Arg(1)->ArgName("formatNumbers")->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_TextCommits(benchmark::State& state) {
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
  Published one = publish("one", {"ID", "NAME"}, {{Value(1), Value("start")}});
  auto field = makeRef<plat::gui::TextField>();
  auto model = makeRef<BindingModel>();
  model->setComponent(field);
  model->setDataBinding("one@NAME");
  for (auto _ : state) {
    for (int i = 0; i < kCommitPairs; ++i) {
      field->type("x");
      field->backspace();
    }
  }
  if (one.source->cell(0, 1) != Value("start")) state.SkipWithError("the commits did not reach the source");
  state.SetItemsProcessed(state.iterations() * kCommitPairs * 2);
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
}
BENCHMARK(BM_TextCommits)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
