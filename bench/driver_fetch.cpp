// Fetching a 100,000-row, five-column result: through the driver and the middleware test server on loopback
// (rows in batches over the wire, every value read), and the same query straight through the SQLite driver, in
// one run (items = rows). The direct run also reports wire_over_direct, the driver's rows per second over its own.
// Where libpq and the PostgreSQL test server are there, the reference reads the same rows through a cursor, 23 rows
// per FETCH (the driver's round-trip shape for these columns), and the program prints the driver's rate over it,
// both from the two runs and from DriverOverLibpq, whose iterations read the rows through each in turn so that the
// machine's drift during the run falls on both alike.
// The driver runs report allocs_per_row (operator new, counted process-wide, so the test server's count in the
// driver run). Pin the program to one CPU (taskset -c N) for CPU-cost figures: the servers it starts inherit the
// pinning; it prints the CPUs it may use. Freed memory stays in the process and each run makes one untimed pass
// first (bench/SteadyHeap.h), so that both sides of a ratio run on warm memory.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "bench/Affinity.h"
#include "bench/AllocationCounter.h"
#include "bench/SteadyHeap.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "quenlora/zafoli/db/jdbc/Driver.h"
#include "testkit/middleware/sql/SqlMiddlewareServer.h"

// The reference needs libpq, which the fixture's link brings where it is installed.
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include <libpq-fe.h>

#include "testkit/postgres/PostgresServer.h"
#endif

namespace {

using plat::lang::Ref;
using testkit::middleware::sql::SqlMiddlewareServer;

constexpr int kRows = 100000;
constexpr const char* kQuery = "select id, name, amount, qty, code from fetch_rows";

// One server and one table for both benchmarks, made on first use and kept for the run.
SqlMiddlewareServer& fixture() {
  static SqlMiddlewareServer* server = [] {
    SqlMiddlewareServer::Options options;
    options.lifetimeMs = 30 * 60 * 1000;  // a long benchmark run must not outlive the server
    options.record = false;
    auto* s = new SqlMiddlewareServer(options);
    s->execute(
        "create table fetch_rows (id integer, name varchar(20), amount double, qty integer, code char(8));"
        "with recursive c(x) as (select 1 union all select x + 1 from c where x < " +
        std::to_string(kRows) +
        ") insert into fetch_rows select x, 'name ' || x, x * 0.25, x % 97, printf('C%07d', x) from c");
    return s;
  }();
  return *server;
}

// Reads every value of every row; the row count.
int readAll(plat::sql::Connection& connection, benchmark::State& state) {
  auto stmt = connection.createStatement();
  auto rs = stmt->executeQuery(kQuery);
  int rows = 0;
  std::int64_t sum = 0;
  while (rs->next()) {
    sum += rs->getInt(1);
    benchmark::DoNotOptimize(rs->getString(2));
    benchmark::DoNotOptimize(rs->getDouble(3));
    sum += rs->getInt(4);
    benchmark::DoNotOptimize(rs->getString(5));
    ++rows;
  }
  rs->close();
  stmt->close();
  benchmark::DoNotOptimize(sum);
  if (rows != kRows) state.SkipWithError("the query did not give every row");
  return rows;
}

// Rows per second of the driver run, kept so the direct run can report the ratio in the same output.
double g_wireRowsPerSecond = 0;

double runAll(plat::sql::Connection& connection, benchmark::State& state) {
  readAll(connection, state);  // untimed: caches and the heap are warm for every iteration
  std::int64_t rows = 0;
  double seconds = 0;
  const std::int64_t allocationsBefore = g_allocations.load();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rows += readAll(connection, state);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  state.SetItemsProcessed(rows);
  if (rows > 0) state.counters["allocs_per_row"] = static_cast<double>(g_allocations.load() - allocationsBefore) / rows;
  return seconds > 0 ? static_cast<double>(rows) / seconds : 0;
}

// A driver connection to the test server, or null with the reason as the benchmark's error.
Ref<plat::sql::Connection> connectDriver(benchmark::State& state) {
  auto& srv = fixture();
  quenlora::zafoli::db::jdbc::registerDriver();
  try {
    return plat::sql::DriverManager::getConnection(srv.driverUrl(), "bench", "bench");
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return nullptr;
  }
}

void BM_FetchThroughDriver(benchmark::State& state) {
  Ref<plat::sql::Connection> connection = connectDriver(state);
  if (!connection) return;
  g_wireRowsPerSecond = runAll(*connection, state);
  connection->close();
}
BENCHMARK(BM_FetchThroughDriver)->UseRealTime()->Unit(benchmark::kMillisecond);

#ifdef HAVE_POSTGRES
constexpr int kRowsPerFetch = 23;
double g_libpqRowsPerSecond = 0;

// Runs one command; false, with the server's message as the benchmark's error, when it fails.
bool command(PGconn* conn, const char* sql, benchmark::State& state) {
  PGresult* result = PQexec(conn, sql);
  const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
  if (!ok) state.SkipWithError(PQerrorMessage(conn));
  PQclear(result);
  return ok;
}

// The same rows and values, read through a cursor kRowsPerFetch rows per round trip; the row count.
int readAllLibpq(PGconn* conn, benchmark::State& state) {
  const std::string fetch = "fetch " + std::to_string(kRowsPerFetch) + " from c";
  if (!command(conn, "begin", state)) return 0;
  if (!command(conn, (std::string("declare c no scroll cursor for ") + kQuery).c_str(), state)) return 0;
  int rows = 0;
  std::int64_t sum = 0;
  for (;;) {
    PGresult* result = PQexec(conn, fetch.c_str());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) {
      state.SkipWithError(PQerrorMessage(conn));
      PQclear(result);
      return rows;
    }
    const int n = PQntuples(result);
    for (int i = 0; i < n; ++i) {
      sum += std::strtol(PQgetvalue(result, i, 0), nullptr, 10);
      benchmark::DoNotOptimize(std::string(PQgetvalue(result, i, 1), PQgetlength(result, i, 1)));
      benchmark::DoNotOptimize(std::strtod(PQgetvalue(result, i, 2), nullptr));
      sum += std::strtol(PQgetvalue(result, i, 3), nullptr, 10);
      benchmark::DoNotOptimize(std::string(PQgetvalue(result, i, 4), PQgetlength(result, i, 4)));
      ++rows;
    }
    PQclear(result);
    if (n < kRowsPerFetch) break;
  }
  command(conn, "close c", state);
  command(conn, "commit", state);
  benchmark::DoNotOptimize(sum);
  return rows;
}

// A database holding the driver run's table and rows, made once.
std::string libpqDatabase(testkit::PostgresServer& pg) {
  static const std::string name = [&] {
    std::string database = pg.createDatabase();
    pg.exec(database,
            "create table fetch_rows (id integer, name varchar(20), amount double precision, qty integer, "
            "code char(8)); insert into fetch_rows select x, 'name ' || x, x * 0.25, x % 97, "
            "'C' || lpad(x::text, 7, '0') from generate_series(1, " +
                std::to_string(kRows) + ") x");
    return database;
  }();
  return name;
}

// A connection to the database of libpqDatabase, or nullptr with the reason as the benchmark's error.
PGconn* connectLibpq(benchmark::State& state) {
  std::string whyNot;
  testkit::PostgresServer* pg = nullptr;
  try {
    pg = testkit::PostgresServer::shared(whyNot);
  } catch (const std::exception& e) {
    whyNot = e.what();
  }
  if (pg == nullptr) {
    state.SkipWithError(("no PostgreSQL test server: " + whyNot).c_str());
    return nullptr;
  }
  const std::string info = pg->conninfo(libpqDatabase(*pg));
  PGconn* conn = PQconnectdb(info.c_str());
  if (PQstatus(conn) != CONNECTION_OK) {
    state.SkipWithError(PQerrorMessage(conn));
    PQfinish(conn);
    return nullptr;
  }
  return conn;
}

void BM_FetchThroughDriver_Reference(benchmark::State& state) {
  PGconn* conn = connectLibpq(state);
  if (conn == nullptr) return;
  readAllLibpq(conn, state);  // untimed, as the driver's first pass
  std::int64_t rows = 0;
  double seconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int got = readAllLibpq(conn, state);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (got != kRows) {
      state.SkipWithError("the cursor did not give every row");
      break;
    }
    rows += got;
  }
  PQfinish(conn);
  state.SetItemsProcessed(rows);
  g_libpqRowsPerSecond = seconds > 0 ? static_cast<double>(rows) / seconds : 0;
  if (g_wireRowsPerSecond > 0 && g_libpqRowsPerSecond > 0) {
    state.counters["driver_over_libpq"] = g_wireRowsPerSecond / g_libpqRowsPerSecond;
  }
}
BENCHMARK(BM_FetchThroughDriver_Reference)->UseRealTime()->Unit(benchmark::kMillisecond);

double g_driverOverLibpqAlternated = 0;

// Each iteration reads the rows once through the driver and once through libpq, one after the other, so that the
// machine's speed drifting during the run falls on both alike; items = rows of both.
void BM_DriverOverLibpq(benchmark::State& state) {
  PGconn* conn = connectLibpq(state);
  if (conn == nullptr) return;
  Ref<plat::sql::Connection> connection = connectDriver(state);
  if (!connection) {
    PQfinish(conn);
    return;
  }
  readAll(*connection, state);  // untimed first passes, as in the benchmarks above
  readAllLibpq(conn, state);
  double driverSeconds = 0;
  double libpqSeconds = 0;
  std::int64_t rows = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int viaDriver = readAll(*connection, state);
    const auto middle = std::chrono::steady_clock::now();
    const int viaLibpq = readAllLibpq(conn, state);
    const auto end = std::chrono::steady_clock::now();
    if (viaDriver != kRows || viaLibpq != kRows) {
      state.SkipWithError("a fetch did not give every row");
      break;
    }
    driverSeconds += std::chrono::duration<double>(middle - start).count();
    libpqSeconds += std::chrono::duration<double>(end - middle).count();
    rows += viaDriver + viaLibpq;
  }
  connection->close();
  PQfinish(conn);
  state.SetItemsProcessed(rows);
  if (driverSeconds > 0) g_driverOverLibpqAlternated = libpqSeconds / driverSeconds;
  state.counters["driver_over_libpq"] = g_driverOverLibpqAlternated;
}
BENCHMARK(BM_DriverOverLibpq)->UseRealTime()->Unit(benchmark::kMillisecond)->MinTime(2);
#endif  // HAVE_POSTGRES

void BM_FetchDirect(benchmark::State& state) {
  auto& srv = fixture();
  auto connection = plat::sql::DriverManager::getConnection(srv.databaseUrl());
  const double direct = runAll(*connection, state);
  if (g_wireRowsPerSecond > 0 && direct > 0) state.counters["wire_over_direct"] = g_wireRowsPerSecond / direct;
  connection->close();
}
BENCHMARK(BM_FetchDirect)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::keepFreedMemory();
  bench::printAffinity();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
#ifdef HAVE_POSTGRES
  if (g_wireRowsPerSecond > 0 && g_libpqRowsPerSecond > 0) {
    std::printf("driver over libpq cursor (%d rows per fetch): %.3f\n", kRowsPerFetch,
                g_wireRowsPerSecond / g_libpqRowsPerSecond);
  }
  if (g_driverOverLibpqAlternated > 0) {
    std::printf("driver over libpq cursor, alternated runs: %.3f (bar 0.8)\n", g_driverOverLibpqAlternated);
  }
#endif
  benchmark::Shutdown();
  return 0;
}
