// The connection bean against its driver. Statement churn: a bean on an SQLite file with four pooled connections
// and two statements each takes eight statements and gives them back, items = statements taken and returned;
// the reference takes and closes the same statements on four SQLite connections directly. Connect: the bean opens
// four connections and closes them, items = connects; the reference opens four with the same properties and
// closes them. On a throwaway PostgreSQL server: connecting one connection with a password against
// PQconnectdb/PQfinish, and reading 100,000 rows through the driver's typed getters against one PQexec result read
// with the same conversions, items = rows.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"

// The PostgreSQL half needs libpq, which the fixture's link brings where it is installed.
#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include <libpq-fe.h>

#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif

namespace {

using plat::lang::Ref;
using quenlora::zafoli::db::beans::jdbc::JdbcConnection;

std::map<std::string, double> g_rates;  // items per second by benchmark name

std::string sqlitePath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("jdbc-bench-" + std::to_string(::getpid()) + ".db")).string();
  return path;
}

Ref<JdbcConnection> sqliteBean() {
  plat::sql::sqlite::registerSqliteDriverClass(plat::runvale::ClassRegistry::instance());
  auto bean = plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                                  "jdbc:sqlite:" + sqlitePath(), "", "");
  bean->setMinConnections(4);
  return bean;
}

// The thread's CPU time, which is what items_per_second divides by, so that the printed ratios match the
// reported figures on a busy machine.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
  }
};

// Sets the items and keeps the rate of the last (the measured) run for the ratios main prints.
void record(benchmark::State& state, std::int64_t items, const char* name, Clock::time_point start) {
  state.SetItemsProcessed(items);
  double seconds = Clock::now() - start;
  if (seconds > 0) g_rates[name] = static_cast<double>(items) / seconds;
}

void BM_StatementChurn(benchmark::State& state) {
  auto bean = sqliteBean();
  bean->setMaxStatements(2);
  bean->connect();
  Ref<plat::sql::Statement> taken[8];
  auto start = Clock::now();
  for (auto _ : state) {
    for (auto& s : taken) s = bean->createStatement();
    for (auto& s : taken) bean->closeStatement(s);
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * 8, "churn", start);
  bean->setConnectionClosed(true);
}

void BM_StatementChurn_Reference(benchmark::State& state) {
  plat::sql::sqlite::registerSqliteDriver();
  Ref<plat::sql::Connection> connections[4];
  for (auto& c : connections) c = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + sqlitePath());
  Ref<plat::sql::Statement> taken[8];
  auto start = Clock::now();
  for (auto _ : state) {
    for (int i = 0; i < 8; ++i) taken[i] = connections[i / 2]->createStatement();
    for (auto& s : taken) s->close();
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * 8, "churn_reference", start);
}

void BM_Connect(benchmark::State& state) {
  auto bean = sqliteBean();
  auto start = Clock::now();
  for (auto _ : state) {
    bean->connect();
    bean->setConnectionClosed(true);
  }
  record(state, static_cast<std::int64_t>(state.iterations()), "connect", start);
}

void BM_Connect_Reference(benchmark::State& state) {
  plat::sql::sqlite::registerSqliteDriver();
  plat::util::Properties info;
  auto start = Clock::now();
  for (auto _ : state) {
    Ref<plat::sql::Connection> connections[4];
    for (auto& c : connections) {
      c = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + sqlitePath(), info);
      c->setAutoCommit(true);
      c->setReadOnly(false);
    }
    for (auto& c : connections) c->close();
  }
  record(state, static_cast<std::int64_t>(state.iterations()), "connect_reference", start);
}

#ifdef HAVE_POSTGRES
testkit::PostgresServer* server(benchmark::State& state) {
  std::string whyNot;
  testkit::PostgresServer* pg = testkit::PostgresServer::shared(whyNot);
  if (pg == nullptr) state.SkipWithError(whyNot.c_str());
  return pg;
}

std::string rowsDatabase(testkit::PostgresServer& pg) {
  static std::string name;
  if (name.empty()) {
    name = pg.createDatabase();
    pg.exec(name,
            "create table r (a int, b varchar(20), c double precision, d int, e char(8)); "
            "insert into r select i, 'name ' || i, i * 0.5, i % 7, 'code' || (i % 1000) "
            "from generate_series(1, 100000) i");
  }
  return name;
}

void BM_PgConnect(benchmark::State& state) {
  auto* pg = server(state);
  if (pg == nullptr) return;
  plat::sql::pq::registerPqDriverClass(plat::runvale::ClassRegistry::instance());
  auto bean = plat::lang::makeRef<JdbcConnection>(plat::sql::pq::PqDriver::kClassName, pg->url("postgres"),
                                                  testkit::PostgresServer::kUser, testkit::PostgresServer::kPassword);
  auto start = Clock::now();
  for (auto _ : state) {
    bean->connect();
    bean->setConnectionClosed(true);
  }
  record(state, static_cast<std::int64_t>(state.iterations()), "pg_connect", start);
}

void BM_PgConnect_Reference(benchmark::State& state) {
  auto* pg = server(state);
  if (pg == nullptr) return;
  std::string info = pg->conninfo("postgres");
  auto start = Clock::now();
  for (auto _ : state) {
    PGconn* conn = PQconnectdb(info.c_str());
    if (PQstatus(conn) != CONNECTION_OK) state.SkipWithError(PQerrorMessage(conn));
    PQfinish(conn);
  }
  record(state, static_cast<std::int64_t>(state.iterations()), "pg_connect_reference", start);
}

void BM_PgRows(benchmark::State& state) {
  auto* pg = server(state);
  if (pg == nullptr) return;
  std::string database = rowsDatabase(*pg);
  plat::sql::pq::registerPqDriver();
  auto connection = plat::sql::DriverManager::getConnection(pg->url(database), testkit::PostgresServer::kUser,
                                                            testkit::PostgresServer::kPassword);
  std::int64_t rows = 0;
  double sink = 0;
  auto start = Clock::now();
  for (auto _ : state) {
    auto rs = connection->createStatement()->executeQuery("select a, b, c, d, e from r");
    while (rs->next()) {
      sink += rs->getInt(1) + rs->getString(2).size() + rs->getDouble(3) + rs->getInt(4) + rs->getString(5).size();
      ++rows;
    }
  }
  benchmark::DoNotOptimize(sink);
  record(state, rows, "pg_rows", start);
}

void BM_PgRows_Reference(benchmark::State& state) {
  auto* pg = server(state);
  if (pg == nullptr) return;
  std::string database = rowsDatabase(*pg);
  std::string info = pg->conninfo(database);
  PGconn* conn = PQconnectdb(info.c_str());
  std::int64_t rows = 0;
  double sink = 0;
  auto start = Clock::now();
  for (auto _ : state) {
    PGresult* result = PQexec(conn, "select a, b, c, d, e from r");
    int n = PQntuples(result);
    for (int i = 0; i < n; ++i) {
      sink += std::strtol(PQgetvalue(result, i, 0), nullptr, 10) + std::string(PQgetvalue(result, i, 1)).size() +
              std::strtod(PQgetvalue(result, i, 2), nullptr) + std::strtol(PQgetvalue(result, i, 3), nullptr, 10) +
              std::string(PQgetvalue(result, i, 4)).size();
      ++rows;
    }
    PQclear(result);
  }
  PQfinish(conn);
  benchmark::DoNotOptimize(sink);
  record(state, rows, "pg_rows_reference", start);
}

#endif  // HAVE_POSTGRES

}  // namespace

BENCHMARK(BM_StatementChurn);
BENCHMARK(BM_StatementChurn_Reference);
BENCHMARK(BM_Connect)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Connect_Reference)->Unit(benchmark::kMicrosecond);
#ifdef HAVE_POSTGRES
BENCHMARK(BM_PgConnect)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PgConnect_Reference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PgRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PgRows_Reference)->Unit(benchmark::kMillisecond);
#endif

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The ratios go to standard error so that a JSON report on standard output stays clean.
  for (const char* name : {"churn", "connect", "pg_connect", "pg_rows"}) {
    double mine = g_rates[name];
    double reference = g_rates[std::string(name) + "_reference"];
    if (reference > 0) std::fprintf(stderr, "%s / reference: %.2f\n", name, mine / reference);
  }
  std::filesystem::remove(sqlitePath());
  return 0;
}
