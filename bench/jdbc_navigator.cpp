// The JDBC query navigator over a 100,000-row SQLite table of five columns (INTEGER, VARCHAR(20), DECIMAL(10,2),
// DATE, DOUBLE): the navigator executes its query and goes to the last row, fetching every row lazily into its
// cache, with no consumer bound; items_per_second = rows per second, with the allocations per row.
// Reference: the same SELECT through plat_sqlite, every value read by its typed getter.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <string>

#include "bench/AllocationCounter.h"
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

void BM_JdbcNavigator(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  prepareNavigatorClasses();
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
    auto navigator = makeRef<jdbc::QueryNavigator>();
    navigator->setClassName("bench.People");
    navigator->setAliasName("people");
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
BENCHMARK(BM_JdbcNavigator)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_JdbcNavigator_Reference(benchmark::State& state) {
  plat::sql::sqlite::registerSqliteDriver();
  auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite:" + databasePath());
  std::int64_t rows = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const std::int64_t before = g_allocations.load(std::memory_order_relaxed);
    auto statement = connection->prepareStatement(kSelect);
    auto result = statement->executeQuery();
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
    allocations += g_allocations.load(std::memory_order_relaxed) - before;
  }
  state.SetItemsProcessed(rows);
  state.counters["allocs_per_row"] = rows > 0 ? static_cast<double>(allocations) / static_cast<double>(rows) : 0;
}
BENCHMARK(BM_JdbcNavigator_Reference)->Unit(benchmark::kMillisecond)->Iterations(5);

// Prints the navigator's rate as a share of the direct rate.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const auto& run : runs) {
      auto rate = run.counters.find("items_per_second");
      if (rate == run.counters.end()) continue;
      (run.benchmark_name().find("_Reference") != std::string::npos ? reference_ : navigator_) = rate->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (reference_ > 0) std::printf("ratio navigator / direct plat_sqlite: %.3f (bar 0.4)\n", navigator_ / reference_);
  }

 private:
  double navigator_ = 0;
  double reference_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  Removal removal;
  databasePath();
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
