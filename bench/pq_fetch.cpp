// A forward-only read of 1,000,000 rows through plat_pq against one libpq PQexec of the whole result, in the same
// run on the PostgreSQL test server. items_per_second = rows per second; peak_rss_mb = the largest growth of the
// process's resident memory while the rows were read (the driver reads in batches, PQexec holds every row);
// BM_PqFetchRatio reads both ways in turn and gives driver_over_libpq.
#include <benchmark/benchmark.h>

#if __has_include(<libpq-fe.h>)
#include <libpq-fe.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/pq/PqDriver.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "testkit/postgres/PostgresServer.h"

namespace {

using testkit::PostgresServer;

constexpr int kRows = 1000000;
constexpr const char* kSelect = "select ID, NAME, AMOUNT, BORN, RATE from rows_read order by ID";

long residentBytes() {
  long pages = 0;
  long resident = 0;
  if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * sysconf(_SC_PAGESIZE);
}

PostgresServer* server(std::string& database, std::string& whyNot) {
  static std::string reason;
  static std::string name;
  static PostgresServer* made = [] {
    PostgresServer* started = nullptr;
    try {
      started = PostgresServer::shared(reason);
      if (started != nullptr) {
        name = started->createDatabase();
        started->exec(name,
                      "create table rows_read (ID integer primary key, NAME varchar(20), AMOUNT decimal(10,2), "
                      "BORN date, RATE double precision); insert into rows_read select i, 'name ' || i, "
                      "i * 3 / 100.0, make_date(1950 + i % 60, 1 + i % 12, 1 + i % 28), i * 0.5 from "
                      "generate_series(0, " +
                          std::to_string(kRows - 1) + ") i; analyze rows_read");
      }
    } catch (const std::exception& e) {
      reason = e.what();
      started = nullptr;
    }
    return started;
  }();
  database = name;
  whyNot = reason;
  return made;
}

// One read of every row through the driver; peak receives the largest growth of resident memory seen.
int readThroughDriver(plat::sql::Connection& connection, long& peak) {
  malloc_trim(0);
  const long before = residentBytes();
  auto rs = connection.createStatement()->executeQuery(kSelect);
  std::int64_t sum = 0;
  int n = 0;
  while (rs->next()) {
    sum += rs->getInt(1);
    for (int c = 2; c <= 5; ++c) sum += static_cast<std::int64_t>(rs->getString(c).size());
    if ((++n & 4095) == 0) peak = std::max(peak, residentBytes() - before);
  }
  peak = std::max(peak, residentBytes() - before);
  rs->close();
  benchmark::DoNotOptimize(sum);
  return n;
}

// One PQexec of the whole result, then every value read as the driver's loop reads it.
int readThroughPqexec(PGconn* conn, long& peak) {
  malloc_trim(0);
  const long before = residentBytes();
  PGresult* result = PQexec(conn, kSelect);
  peak = std::max(peak, residentBytes() - before);
  const int n = PQntuples(result);
  std::int64_t sum = 0;
  for (int r = 0; r < n; ++r) {
    sum += std::atoi(PQgetvalue(result, r, 0));
    for (int c = 1; c < 5; ++c) sum += static_cast<std::int64_t>(std::string(PQgetvalue(result, r, c)).size());
  }
  PQclear(result);
  benchmark::DoNotOptimize(sum);
  return n;
}

void report(benchmark::State& state, std::int64_t rows, long peakGrowth) {
  state.SetItemsProcessed(rows);
  state.counters["peak_rss_mb"] = static_cast<double>(peakGrowth) / (1024.0 * 1024.0);
}

void BM_PqFetchDriver(benchmark::State& state) {
  std::string database;
  std::string whyNot;
  PostgresServer* pg = server(database, whyNot);
  if (pg == nullptr) return state.SkipWithError(whyNot.c_str());
  plat::sql::pq::registerPqDriver();
  auto connection =
      plat::sql::DriverManager::getConnection(pg->url(database), PostgresServer::kUser, PostgresServer::kPassword);
  std::int64_t rows = 0;
  long peak = 0;
  for (auto _ : state) rows += readThroughDriver(*connection, peak);
  report(state, rows, peak);
}

void BM_PqFetchLibpqExec(benchmark::State& state) {
  std::string database;
  std::string whyNot;
  PostgresServer* pg = server(database, whyNot);
  if (pg == nullptr) return state.SkipWithError(whyNot.c_str());
  PGconn* conn = PQconnectdb(pg->conninfo(database).c_str());
  if (PQstatus(conn) != CONNECTION_OK) {
    state.SkipWithError(PQerrorMessage(conn));
    PQfinish(conn);
    return;
  }
  std::int64_t rows = 0;
  long peak = 0;
  for (auto _ : state) rows += readThroughPqexec(conn, peak);
  PQfinish(conn);
  report(state, rows, peak);
}

// Both reads in turn in every iteration, so that the machine's drift falls on both: driver_over_libpq is the
// driver's rows per second over PQexec's.
void BM_PqFetchRatio(benchmark::State& state) {
  std::string database;
  std::string whyNot;
  PostgresServer* pg = server(database, whyNot);
  if (pg == nullptr) return state.SkipWithError(whyNot.c_str());
  plat::sql::pq::registerPqDriver();
  auto connection =
      plat::sql::DriverManager::getConnection(pg->url(database), PostgresServer::kUser, PostgresServer::kPassword);
  PGconn* conn = PQconnectdb(pg->conninfo(database).c_str());
  double driverSeconds = 0;
  double libpqSeconds = 0;
  long peak = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    readThroughDriver(*connection, peak);
    auto middle = std::chrono::steady_clock::now();
    readThroughPqexec(conn, peak);
    auto end = std::chrono::steady_clock::now();
    driverSeconds += std::chrono::duration<double>(middle - start).count();
    libpqSeconds += std::chrono::duration<double>(end - middle).count();
  }
  PQfinish(conn);
  state.counters["driver_over_libpq"] = driverSeconds > 0 ? libpqSeconds / driverSeconds : 0;
}

}  // namespace

BENCHMARK(BM_PqFetchDriver)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PqFetchLibpqExec)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_PqFetchRatio)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();
#endif

BENCHMARK_MAIN();
