// The record-set library against one middleware test server on loopback (recording off, real time):
// RelationViewFetch reads the driver benchmark's 100,000 rows through a view (items = rows; allocations per
// cached row as a counter) beside DrivellaFetch_Reference, the same rows through the driver; CachedNavigation
// moves over those rows once cached with five column links and a record link bound (items = moves);
// MasterDetailMoves walks 10,000 masters whose 10-row detail is re-read on every move beside
// RoundTrip_Reference, one isDataChanged round trip each (items = moves, round trips; allocations per move, client
// and server together, as a counter). Both ratios are printed, the fetch's also from ViewOverDriver, whose
// iterations read the rows through each in turn so that the machine's drift falls on both alike. Freed memory stays in
// the process, and the fetches and the master walk make one untimed pass first (bench/SteadyHeap.h), so that both sides
// of a ratio run on memory the process already has: the walk's cached details alone took about 11 us of page faults per
// move.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "bench/AllocationCounter.h"
#include "bench/SteadyHeap.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "quenlora/zafoli/db/pro/AutoDetail.h"
#include "quenlora/zafoli/db/pro/MultiView.h"
#include "quenlora/zafoli/db/pro/RelationView.h"
#include "quenlora/zafoli/db/pro/Session.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using quenlora::zafoli::db::pro::ConnectionInfo;
using quenlora::zafoli::db::pro::ProjBinder;
using quenlora::zafoli::db::pro::ProjLink;
using quenlora::zafoli::db::pro::Record;
using quenlora::zafoli::db::pro::RecordLink;
using quenlora::zafoli::db::pro::RelationView;
using quenlora::zafoli::db::pro::Session;
using testkit::middleware::sql::SqlMiddlewareServer;

constexpr int kRows = 100000;
constexpr int kMasters = 10000;
constexpr int kDetailsPerMaster = 10;
constexpr const char* kQuery = "select id, name, amount, qty, code from fetch_rows";

SqlMiddlewareServer& fixture() {
  static SqlMiddlewareServer* server = [] {
    SqlMiddlewareServer::Options options;
    options.lifetimeMs = 30 * 60 * 1000;
    options.record = false;
    auto* s = new SqlMiddlewareServer(options);
    s->execute(
        "create table fetch_rows (id integer, name varchar(20), amount double, qty integer, code char(8));"
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
        std::to_string(kRows) +
        ") insert into fetch_rows select x, 'name ' || x, x * 0.25, x % 97, printf('C%07d', x) from c");
    s->execute(
        "create table masters (id integer primary key, name varchar(20));"
        "create table details (id integer primary key, master_id integer, v integer);"
        "create index details_master on details (master_id);"
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
        std::to_string(kMasters) + ") insert into masters select x, 'm' || x from c;" +
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
        std::to_string(kMasters * kDetailsPerMaster) + ") insert into details select x, (x - 1) / " +
        std::to_string(kDetailsPerMaster) + " + 1, x from c");
    return s;
  }();
  return *server;
}

Ref<Session> openSession() {
  auto session = makeRef<Session>(fixture().recordSetUrl(), false);
  session->setDefaultConnection(makeRef<ConnectionInfo>("main", "bench", "bench"));
  return session;
}

double g_viewRowsPerSecond = 0;
double g_masterMovesPerSecond = 0;
double g_fetchRatio = 0;
double g_moveRatio = 0;

double rate(const benchmark::State& state, std::int64_t items, double seconds) {
  (void)state;
  return seconds > 0 ? static_cast<double>(items) / seconds : 0;
}

template <class F>
double timed(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Reads every row through a new view, then closes it; the row count.
std::int64_t fetchThroughView(Session& session) {
  auto view = session.createView(kQuery);
  std::int64_t n = 0;
  std::int64_t sum = 0;
  for (bool on = view->first(); on; on = view->next()) {
    sum += view->getRecord()->row().getInt(1);
    ++n;
  }
  benchmark::DoNotOptimize(sum);
  view->closeMultiView();
  return n;
}

void BM_RelationViewFetch(benchmark::State& state) {
  auto session = openSession();
  fetchThroughView(*session);  // untimed: the session's server connection and the heap are warm for every iteration
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  double seconds = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load();
    std::int64_t n = 0;
    seconds += timed([&] { n = fetchThroughView(*session); });
    allocations += g_allocations.load() - before;
    if (n != kRows) state.SkipWithError("the view did not give every row");
    rows += n;
  }
  state.SetItemsProcessed(rows);
  state.counters["allocations_per_row"] = rows ? static_cast<double>(allocations) / static_cast<double>(rows) : 0;
  g_viewRowsPerSecond = rate(state, rows, seconds);
}
BENCHMARK(BM_RelationViewFetch)->UseRealTime()->Unit(benchmark::kMillisecond);

// Reads every row through the driver, one value each so that batches carry values; the row count.
std::int64_t fetchThroughDriver(plat::sql::Connection& connection) {
  auto stmt = connection.createStatement();
  auto rs = stmt->executeQuery(kQuery);
  std::int64_t n = 0;
  std::int64_t sum = 0;
  while (rs->next()) {
    sum += rs->getInt(1);
    ++n;
  }
  benchmark::DoNotOptimize(sum);
  rs->close();
  stmt->close();
  return n;
}

// A driver connection to the test server, for the fetch references.
Ref<plat::sql::Connection> connectDriver() {
  quenlora::zafoli::db::jdbc::registerDriver();
  return plat::sql::DriverManager::getConnection(fixture().driverUrl(), "bench", "bench");
}

void BM_DrivellaFetch_Reference(benchmark::State& state) {
  auto connection = connectDriver();
  fetchThroughDriver(*connection);  // untimed, as the view's first pass
  std::int64_t rows = 0;
  double seconds = 0;
  for (auto _ : state) {
    seconds += timed([&] { rows += fetchThroughDriver(*connection); });
  }
  connection->close();
  state.SetItemsProcessed(rows);
  const double reference = rate(state, rows, seconds);
  if (reference > 0) {
    g_fetchRatio = g_viewRowsPerSecond / reference;
    state.counters["view_over_driver"] = g_fetchRatio;
  }
}
BENCHMARK(BM_DrivellaFetch_Reference)->UseRealTime()->Unit(benchmark::kMillisecond);

double g_fetchRatioAlternated = 0;

// Each iteration reads the rows once through a view and once through the driver, one after the other, so that the
// machine's speed drifting during the run falls on both alike; items = rows of both.
void BM_ViewOverDriver(benchmark::State& state) {
  auto session = openSession();
  auto connection = connectDriver();
  fetchThroughView(*session);  // untimed first passes, as in the benchmarks above
  fetchThroughDriver(*connection);
  double viewSeconds = 0;
  double driverSeconds = 0;
  std::int64_t rows = 0;
  for (auto _ : state) {
    std::int64_t viaView = 0;
    std::int64_t viaDriver = 0;
    viewSeconds += timed([&] { viaView = fetchThroughView(*session); });
    driverSeconds += timed([&] { viaDriver = fetchThroughDriver(*connection); });
    if (viaView != kRows || viaDriver != kRows) state.SkipWithError("a fetch did not give every row");
    rows += viaView + viaDriver;
  }
  connection->close();
  state.SetItemsProcessed(rows);
  if (viewSeconds > 0) g_fetchRatioAlternated = driverSeconds / viewSeconds;
  state.counters["view_over_driver"] = g_fetchRatioAlternated;
}
BENCHMARK(BM_ViewOverDriver)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2);

class NoOpLink : public ProjLink {
 public:
  void init(ProjBinder&) override {}
  void notifyDataChange(ProjBinder&) override { ++seen; }
  bool notifySetData(ProjBinder&) override { return true; }
  std::int64_t seen = 0;
};

class NoOpRecordLink : public RecordLink {
 public:
  void init() override {}
  void notifyRecordChange(Record&) override { ++seen; }
  std::int64_t seen = 0;
};

void BM_CachedNavigation(benchmark::State& state) {
  auto session = openSession();
  auto view = session->createView(kQuery);
  for (bool on = view->first(); on; on = view->next()) {
  }
  std::vector<std::shared_ptr<NoOpLink>> links;
  for (int c = 1; c <= 5; ++c) {
    links.push_back(std::make_shared<NoOpLink>());
    view->bindProj(c, links.back());
  }
  auto recordLink = std::make_shared<NoOpRecordLink>();  // held here: a view holds its links weakly
  view->bindCurrentRecord(recordLink);
  std::int64_t moves = 0;
  for (auto _ : state) {
    for (bool on = view->first(); on; on = view->next()) ++moves;
    ++moves;  // the last next that finds no row is a move too
  }
  state.SetItemsProcessed(moves);
}
BENCHMARK(BM_CachedNavigation)->UseRealTime()->Unit(benchmark::kMillisecond);

// Walks the masters once, each move re-reading the detail; the moves, and the seconds they took.
std::int64_t walkMasters(Session& session, benchmark::State& state, double& seconds) {
  auto masters = session.createView("select id, name from masters");
  auto request = masters->getAutoDetail("select id, master_id, v from details where master_id = ?");
  request->join("id");
  request->setInitialRecordPosition("First");
  auto details = request->executeRequest();
  std::int64_t moves = 0;
  seconds += timed([&] {
    for (bool on = masters->first(); on; on = masters->next()) {
      if (details->getCurrentRecordNumber() != 1) state.SkipWithError("a detail did not take its first row");
      ++moves;
    }
  });
  masters->closeMultiView();
  return moves;
}

void BM_MasterDetailMoves(benchmark::State& state) {
  auto session = openSession();
  double untimed = 0;
  walkMasters(*session, state, untimed);  // the cached details' memory is the process's before the measured walks
  std::int64_t moves = 0;
  std::int64_t allocations = 0;
  double seconds = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load();
    moves += walkMasters(*session, state, seconds);
    allocations += g_allocations.load() - before;
  }
  state.SetItemsProcessed(moves);
  state.counters["allocations_per_move"] = moves ? static_cast<double>(allocations) / static_cast<double>(moves) : 0;
  g_masterMovesPerSecond = rate(state, moves, seconds);
}
BENCHMARK(BM_MasterDetailMoves)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RoundTrip_Reference(benchmark::State& state) {
  auto session = openSession();
  auto view = session->createView(kQuery);
  auto multiView = view->getMultiView();
  std::int64_t trips = 0;
  double seconds = timed([&] {
    for (auto _ : state) {
      benchmark::DoNotOptimize(multiView->isDataChanged());
      ++trips;
    }
  });
  state.SetItemsProcessed(trips);
  const double reference = rate(state, trips, seconds);
  if (reference > 0) {
    g_moveRatio = g_masterMovesPerSecond / reference;
    state.counters["moves_over_roundtrips"] = g_moveRatio;
  }
}
BENCHMARK(BM_RoundTrip_Reference)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  bench::keepFreedMemory();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::printf("RelationViewFetch / DrivellaFetch_Reference: %.3f (bar 0.8)\n", g_fetchRatio);
  std::printf("RelationViewFetch over DrivellaFetch_Reference, alternated runs: %.3f (bar 0.8)\n",
              g_fetchRatioAlternated);
  std::printf("MasterDetailMoves / RoundTrip_Reference: %.3f (bar 0.5)\n", g_moveRatio);
  return 0;
}
