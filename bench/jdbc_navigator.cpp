// The JDBC query navigator over a 100,000-row SQLite table of five columns (INTEGER, VARCHAR(20), DECIMAL(10,2),
// DATE, DOUBLE): the navigator executes its query and goes to the last row, fetching every row lazily into its
// cache, with no consumer bound; items_per_second = rows per second, with the allocations per row.
// Reference: the same SELECT through plat_sqlite, every value read by its typed getter.
// Where libpq and the PostgreSQL test server are there, the same navigator over the same rows through plat_pq, with
// its reference: one PQexec result of the SELECT read through libpq with the same conversions (to Decimal and
// Date). Without the server the program says why and runs the SQLite half only. The program prints each ratio and
// the CPUs it may use (pin it with taskset -c N; the PostgreSQL server it starts inherits the pinning). Freed
// memory stays in the process and every benchmark makes one untimed pass first (bench/SteadyHeap.h), so that both
// sides of a ratio run on warm memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "bench/Affinity.h"
#include "bench/AllocationCounter.h"
#include "bench/SteadyHeap.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "quenlora/zafoli/db/beans/jdbc/QueryNavigator.h"
#include "testkit/beans/JdbcTableRecord.h"

#if __has_include(<libpq-fe.h>)
#define HAVE_POSTGRES 1
#include <libpq-fe.h>

#include "platform/pq/PqDriver.h"
#include "testkit/postgres/PostgresServer.h"
#endif

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
namespace jdbc = quenlora::zafoli::db::beans::jdbc;

constexpr int kRows = 100000;
const char* const kSelect = "SELECT ID,NAME,AMOUNT,BORN,RATE FROM people";

const std::string& databasePath() {
  static const std::string path = [] {
    auto file = std::filesystem::temp_directory_path() / ("jdbc-navigator-bench-" + std::to_string(::getpid()) + ".db");
    std::filesystem::remove(file);
    plat::sql::sqlite::registerSqliteDriver();
    auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + file.string());
    connection->setAutoCommit(false);
    connection->createStatement()->executeUpdate(
        "create table people (ID integer primary key, NAME varchar(20), AMOUNT decimal(10,2), BORN date, "
        "RATE double)");
    auto insert = connection->prepareStatement("insert into people values (?, ?, ?, ?, ?)");
    for (int i = 0; i < kRows; ++i) {
      insert->setInt(1, i);
      insert->setString(2, "name " + std::to_string(i));
      insert->setBigDecimal(3, plat::math::Decimal::valueOf(static_cast<int64_t>(i) * 3, 2));
      insert->setDate(4, plat::time::Date(1950 + i % 60, 1 + i % 12, 1 + i % 28));
      insert->setDouble(5, i * 0.5);
      insert->executeUpdate();
    }
    connection->commit();
    connection->close();
    return file.string();
  }();
  return path;
}

struct Removal {
  ~Removal() {
    std::error_code ignored;
    std::filesystem::remove(databasePath(), ignored);
  }
};

// The navigator's world: the jdbc classes, a registry with one SQLite bean, and the row class of the table.
void prepareNavigatorClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  auto& registry = plat::runvale::ClassRegistry::instance();
  jdbc::registerJdbcClasses(registry);
  plat::sql::sqlite::registerSqliteDriverClass(registry);
  auto manager = makeRef<jdbc::ConnectionManager>();
  auto bean = makeRef<jdbc::JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName,
                                            "jdbc:sqlite:" + databasePath(), "", "");
  bean->setIdentifier("db");
  manager->add(bean);
  testkit::beans::JdbcTableRecord::registerManager(registry, "bench.Manager", manager);
  testkit::beans::JdbcTableRecord::registerClass(registry, "bench.People", "people", "bench.Manager", "db",
                                                 std::vector<std::string>{"ID", "NAME", "AMOUNT", "BORN", "RATE"});
}

// A navigator over rowClass on a new data bus, ready to execute.
Ref<jdbc::QueryNavigator> newNavigator(const char* rowClass) {
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
  auto navigator = makeRef<jdbc::QueryNavigator>();
  navigator->setClassName(rowClass);
  navigator->setAliasName("people");
  return navigator;
}

// The navigator executes over rowClass and goes to the last row; items = rows. One untimed pass comes first.
void runNavigator(benchmark::State& state, const char* rowClass) {
  plat::lang::ConsoleCapture quiet;
  {
    auto navigator = newNavigator(rowClass);
    navigator->execute(true);
    navigator->last();
    navigator->close();
  }
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto navigator = newNavigator(rowClass);
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    state.ResumeTiming();
    navigator->execute(true);
    navigator->last();
    const int total = navigator->getTotalNumberOfRows();
    state.PauseTiming();
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
    if (total != kRows) state.SkipWithError("the navigator did not reach every row");
    rows += total;
    navigator->close();
    navigator.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(rows);
  state.counters["allocs_per_row"] = rows > 0 ? static_cast<double>(allocations) / static_cast<double>(rows) : 0;
}

void BM_JdbcNavigator(benchmark::State& state) {
  prepareNavigatorClasses();
  runNavigator(state, "bench.People");
}
BENCHMARK(BM_JdbcNavigator)->Unit(benchmark::kMillisecond)->Iterations(5);

// Reads every row of the SELECT by the typed getters; the row count.
int readDirect(plat::sql::Connection& connection) {
  auto statement = connection.prepareStatement(kSelect);
  auto result = statement->executeQuery();
  int rows = 0;
  while (result->next()) {
    benchmark::DoNotOptimize(result->getInt(1));
    benchmark::DoNotOptimize(result->getString(2));
    benchmark::DoNotOptimize(result->getBigDecimal(3, 2));
    benchmark::DoNotOptimize(result->getDate(4));
    benchmark::DoNotOptimize(result->getDouble(5));
    ++rows;
  }
  result->close();
  statement->close();
  return rows;
}

void BM_JdbcNavigator_Reference(benchmark::State& state) {
  plat::sql::sqlite::registerSqliteDriver();
  auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + databasePath());
  readDirect(*connection);  // untimed, as the navigator's first pass
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    rows += readDirect(*connection);
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
  }
  state.SetItemsProcessed(rows);
  state.counters["allocs_per_row"] = rows > 0 ? static_cast<double>(allocations) / static_cast<double>(rows) : 0;
}
BENCHMARK(BM_JdbcNavigator_Reference)->Unit(benchmark::kMillisecond)->Iterations(5);

#ifdef HAVE_POSTGRES
using testkit::PostgresServer;

// The server and a database holding the same rows as the SQLite file, made once; null, with the reason, when this
// machine has no PostgreSQL server programs or the server does not start.
PostgresServer* postgres(std::string& whyNot) {
  static std::string reason;
  static PostgresServer* server = [] {
    PostgresServer* made = nullptr;
    try {
      made = PostgresServer::shared(reason);
    } catch (const std::exception& e) {
      reason = e.what();
    }
    return made;
  }();
  whyNot = reason;
  return server;
}

const std::string& postgresDatabase(PostgresServer& server) {
  static const std::string name = [&] {
    std::string database = server.createDatabase();
    server.exec(database,
                "create table people (ID integer primary key, NAME varchar(20), AMOUNT decimal(10,2), BORN date, "
                "RATE double precision); insert into people select i, 'name ' || i, i * 3 / 100.0, "
                "make_date(1950 + i % 60, 1 + i % 12, 1 + i % 28), i * 0.5 from generate_series(0, " +
                    std::to_string(kRows - 1) + ") i; analyze people");
    return database;
  }();
  return name;
}

// A bean "pg" over that database in the navigator's registry, and the row class of its table.
void preparePostgresClasses(PostgresServer& server) {
  static bool done = false;
  if (done) return;
  done = true;
  prepareNavigatorClasses();
  auto& registry = plat::runvale::ClassRegistry::instance();
  plat::sql::pq::registerPqDriverClass(registry);
  auto manager = makeRef<jdbc::ConnectionManager>();
  auto bean = makeRef<jdbc::JdbcConnection>(plat::sql::pq::PqDriver::kClassName, server.url(postgresDatabase(server)),
                                            PostgresServer::kUser, PostgresServer::kPassword);
  bean->setIdentifier("pg");
  manager->add(bean);
  testkit::beans::JdbcTableRecord::registerManager(registry, "bench.PgManager", manager);
  testkit::beans::JdbcTableRecord::registerClass(registry, "bench.PgPeople", "people", "bench.PgManager", "pg",
                                                 std::vector<std::string>{"ID", "NAME", "AMOUNT", "BORN", "RATE"});
}

void BM_JdbcNavigatorPostgres(benchmark::State& state) {
  std::string whyNot;
  PostgresServer* server = postgres(whyNot);
  if (server == nullptr) {
    state.SkipWithError(("no PostgreSQL test server: " + whyNot).c_str());
    return;
  }
  preparePostgresClasses(*server);
  runNavigator(state, "bench.PgPeople");
}

// Reads one PQexec result of the SELECT, converting each value as the driver's typed getters would; the row count,
// 0 with the server's message as the benchmark's error when the query fails.
int readLibpq(PGconn* conn, benchmark::State& state) {
  PGresult* result = PQexec(conn, kSelect);
  if (PQresultStatus(result) != PGRES_TUPLES_OK) {
    state.SkipWithError(PQerrorMessage(conn));
    PQclear(result);
    return 0;
  }
  const int n = PQntuples(result);
  for (int i = 0; i < n; ++i) {
    benchmark::DoNotOptimize(std::strtol(PQgetvalue(result, i, 0), nullptr, 10));
    benchmark::DoNotOptimize(std::string(PQgetvalue(result, i, 1), PQgetlength(result, i, 1)));
    benchmark::DoNotOptimize(plat::math::Decimal(PQgetvalue(result, i, 2)));
    benchmark::DoNotOptimize(plat::time::Date::valueOf(std::string(PQgetvalue(result, i, 3), 10)));
    benchmark::DoNotOptimize(std::strtod(PQgetvalue(result, i, 4), nullptr));
  }
  PQclear(result);
  return n;
}

void BM_JdbcNavigatorPostgres_Reference(benchmark::State& state) {
  std::string whyNot;
  PostgresServer* server = postgres(whyNot);
  if (server == nullptr) {
    state.SkipWithError(("no PostgreSQL test server: " + whyNot).c_str());
    return;
  }
  const std::string info = server->conninfo(postgresDatabase(*server));
  PGconn* conn = PQconnectdb(info.c_str());
  if (PQstatus(conn) != CONNECTION_OK) {
    state.SkipWithError(PQerrorMessage(conn));
    PQfinish(conn);
    return;
  }
  readLibpq(conn, state);  // untimed, as the navigator's first pass
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    const int n = readLibpq(conn, state);
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
    if (n != kRows) {
      state.SkipWithError("the result did not hold every row");
      break;
    }
    rows += n;
  }
  PQfinish(conn);
  state.SetItemsProcessed(rows);
  state.counters["allocs_per_row"] = rows > 0 ? static_cast<double>(allocations) / static_cast<double>(rows) : 0;
}

void registerPostgresBenchmarks() {
  benchmark::RegisterBenchmark("BM_JdbcNavigatorPostgres", BM_JdbcNavigatorPostgres)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(5);
  benchmark::RegisterBenchmark("BM_JdbcNavigatorPostgres_Reference", BM_JdbcNavigatorPostgres_Reference)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(5);
}
#endif  // HAVE_POSTGRES

// Prints each navigator's rate as a share of its reference's rate, run in the same program.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      auto rate = run.counters.find("items_per_second");
      if (rate == run.counters.end() || run.error_occurred) continue;
      std::string name = run.benchmark_name();
      name.erase(std::min(name.find('/'), name.size()));  // the run's arguments, such as "/iterations:5"
      const auto reference = name.find("_Reference");
      if (reference != std::string::npos) name.erase(reference);
      (reference != std::string::npos ? references_ : navigators_)[name] = rate->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    ratio("BM_JdbcNavigator", "direct plat_sqlite", 0.4);
    ratio("BM_JdbcNavigatorPostgres", "one PQexec through libpq", 0.35);
  }

 private:
  void ratio(const std::string& name, const char* reference, double bar) {
    auto navigator = navigators_.find(name);
    auto direct = references_.find(name);
    if (navigator == navigators_.end() || direct == references_.end() || direct->second <= 0) return;
    std::printf("ratio navigator / %s: %.3f (bar %.2f)\n", reference, navigator->second / direct->second, bar);
  }

  std::map<std::string, double> navigators_;
  std::map<std::string, double> references_;
};

}  // namespace

int main(int argc, char** argv) {
  bench::keepFreedMemory();
  Removal removal;
  bench::printAffinity();
  databasePath();
#ifdef HAVE_POSTGRES
  std::string whyNot;
  if (postgres(whyNot) != nullptr) {
    registerPostgresBenchmarks();
  } else {
    std::printf("no PostgreSQL test server (%s): running the SQLite half only\n", whyNot.c_str());
  }
#else
  std::printf("built without libpq: running the SQLite half only\n");
#endif
  std::fflush(stdout);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
