// Typed and text access of the record-set library (CPU time of one thread) over 100,000 cached rows (int, varchar(20),
// double, decimal(10,2), date) from one middleware test server on loopback (recording off). Every row is fetched and
// its Record kept before timing. TypedGets reads the five columns through each Record beside NetRecordValues_Reference,
// the same getters straight on the wire rows (items = values); StringValues takes getStringValue of the five columns
// beside NetRecordText_Reference, the same texts made from the wire rows (items = values); BoundFormWalk moves a view
// with five text-field projections and a record link from the first row to the last (items = rows). The ratios are
// printed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Double.h"
#include "quenlora/zafoli/db/pro/Projection.h"
#include "quenlora/zafoli/db/pro/Record.h"
#include "quenlora/zafoli/db/pro/RecordLink.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using quenlora::zafoli::db::pro::ConnectionInfo;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::Projection;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RelationView;
using quenlora::zafoli::db::pro::Session;
using testkit::middleware::sql::SqlMiddlewareServer;

constexpr int kRows = 100000;
constexpr int kColumns = 5;
constexpr const char* kQuery = "select id, name, amount, price, day from access_rows";

// The server, a session and a view whose rows are all cached, with their records; made once, on first use.
struct Fixture {
  std::unique_ptr<SqlMiddlewareServer> server;
  Ref<Session> session;
  Ref<RelationView> view;
  std::vector<Ref<Record>> records;
};

Fixture& fixture() {
  static Fixture* f = [] {
    auto* made = new Fixture;
    SqlMiddlewareServer::Options options;
    options.lifetimeMs = 30 * 60 * 1000;
    options.record = false;
    made->server = std::make_unique<SqlMiddlewareServer>(options);
    made->server->execute(
        "create table access_rows (id integer, name varchar(20), amount double, price decimal(10,2), day date);"
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
        std::to_string(kRows) +
        ") insert into access_rows select x, 'name ' || x, x * 0.25, (x % 10000) / 100.0,"
        " date('2000-01-01', '+' || (x % 9000) || ' days') from c");
    made->session = makeRef<Session>(made->server->recordSetUrl(), false);
    made->session->setDefaultConnection(makeRef<ConnectionInfo>("main", "bench", "bench"));
    made->view = made->session->createView(kQuery);
    for (bool on = made->view->first(); on; on = made->view->next()) made->records.push_back(made->view->getRecord());
    return made;
  }();
  return *f;
}

double g_typed = 0;
double g_typedReference = 0;
double g_text = 0;
double g_textReference = 0;

// The thread's CPU time: nothing here waits, and the shared machine's other work is left out of the figures.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double rate(std::int64_t items, double start) {
  const double seconds = cpuSeconds() - start;
  return seconds > 0 ? static_cast<double>(items) / seconds : 0;
}

void checkRows(benchmark::State& state) {
  if (fixture().records.size() != static_cast<std::size_t>(kRows)) state.SkipWithError("not every row was cached");
}

void BM_TypedGets(benchmark::State& state) {
  auto& records = fixture().records;
  checkRows(state);
  std::int64_t values = 0;
  const double start = cpuSeconds();
  for (auto _ : state) {
    for (const auto& r : records) {
      benchmark::DoNotOptimize(r->getInt(1));
      benchmark::DoNotOptimize(r->getString(2));
      benchmark::DoNotOptimize(r->getDouble(3));
      benchmark::DoNotOptimize(r->getBigDecimal(4, 2));
      benchmark::DoNotOptimize(r->getDate(5));
    }
    values += static_cast<std::int64_t>(records.size()) * kColumns;
  }
  g_typed = rate(values, start);
  state.SetItemsProcessed(values);
}
BENCHMARK(BM_TypedGets)->Unit(benchmark::kMillisecond);

void BM_NetRecordValues_Reference(benchmark::State& state) {
  auto& records = fixture().records;
  checkRows(state);
  std::int64_t values = 0;
  const double start = cpuSeconds();
  for (auto _ : state) {
    for (const auto& r : records) {
      auto& row = r->row();
      benchmark::DoNotOptimize(row.getInt(1));
      benchmark::DoNotOptimize(row.getString(2));
      benchmark::DoNotOptimize(row.getDouble(3));
      benchmark::DoNotOptimize(row.getBigDecimal(4, 2));
      benchmark::DoNotOptimize(row.getDate(5));
    }
    values += static_cast<std::int64_t>(records.size()) * kColumns;
  }
  g_typedReference = rate(values, start);
  state.SetItemsProcessed(values);
}
BENCHMARK(BM_NetRecordValues_Reference)->Unit(benchmark::kMillisecond);

void BM_StringValues(benchmark::State& state) {
  auto& records = fixture().records;
  checkRows(state);
  std::int64_t values = 0;
  const double start = cpuSeconds();
  for (auto _ : state) {
    for (const auto& r : records) {
      for (int c = 1; c <= kColumns; ++c) benchmark::DoNotOptimize(r->getStringValue(c));
    }
    values += static_cast<std::int64_t>(records.size()) * kColumns;
  }
  g_text = rate(values, start);
  state.SetItemsProcessed(values);
}
BENCHMARK(BM_StringValues)->Unit(benchmark::kMillisecond);

// The display texts of the five columns made by hand: "" for NULL, else the typed value's own text form.
void BM_NetRecordText_Reference(benchmark::State& state) {
  auto& records = fixture().records;
  checkRows(state);
  std::int64_t values = 0;
  const double start = cpuSeconds();
  for (auto _ : state) {
    for (const auto& r : records) {
      auto& row = r->row();
      benchmark::DoNotOptimize(row.isNull(1) ? std::string() : std::to_string(row.getInt(1)));
      benchmark::DoNotOptimize(row.isNull(2) ? std::string() : row.getString(2).value_or(""));
      benchmark::DoNotOptimize(row.isNull(3) ? std::string() : plat::lang::Double::toString(row.getDouble(3)));
      if (row.isNull(4)) {
        benchmark::DoNotOptimize(std::string());
      } else {
        const auto d = row.getBigDecimal(4, 2);
        benchmark::DoNotOptimize(d ? d->toPlainString() : std::string());
      }
      if (row.isNull(5)) {
        benchmark::DoNotOptimize(std::string());
      } else {
        const auto d = row.getDate(5);
        benchmark::DoNotOptimize(d ? d->toString() : std::string());
      }
    }
    values += static_cast<std::int64_t>(records.size()) * kColumns;
  }
  g_textReference = rate(values, start);
  state.SetItemsProcessed(values);
}
BENCHMARK(BM_NetRecordText_Reference)->Unit(benchmark::kMillisecond);

// A text field: reads its column's display text whenever the value may have changed.
class TextField : public Projection {
 public:
  void notifyDataChange(ProjBinder& binder) override {
    Projection::notifyDataChange(binder);
    text = binder.isReadable() ? binder.getStringValue() : "";
  }
  std::string text;
};

class RecordCounter : public RecordLink {
 public:
  void init() override {}
  void notifyRecordChange(Record&) override { ++seen; }
  std::int64_t seen = 0;
};

void BM_BoundFormWalk(benchmark::State& state) {
  auto& f = fixture();
  checkRows(state);
  std::vector<std::shared_ptr<TextField>> fields;
  for (int c = 1; c <= kColumns; ++c) {
    fields.push_back(std::make_shared<TextField>());
    f.view->bindProj(c, fields.back());
  }
  auto counter = std::make_shared<RecordCounter>();
  f.view->bindCurrentRecord(counter);
  std::int64_t rows = 0;
  for (auto _ : state) {
    for (bool on = f.view->first(); on; on = f.view->next()) ++rows;
  }
  for (const auto& field : fields) f.view->unBindObj(*field);
  if (fields.front()->text != std::to_string(kRows)) state.SkipWithError("the fields did not follow the walk");
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_BoundFormWalk)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (g_typedReference > 0) {
    std::printf("TypedGets / NetRecordValues_Reference: %.3f (bar 0.5)\n", g_typed / g_typedReference);
  }
  if (g_textReference > 0) {
    std::printf("StringValues / NetRecordText_Reference: %.3f (bar 0.5)\n", g_text / g_textReference);
  }
  return 0;
}
