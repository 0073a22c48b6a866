// Row classes saving through the connection bean. An in-memory SQLite database behind a bean with one connection,
// table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), AMOUNT DECIMAL(10,2), DAY DATE, RATIO DOUBLE). Insert:
// 100,000 new rows, five values set and saved, one bean transaction per 1,000 rows with resetState after each
// commit. Update: the rows read back, NAME changed and saved the same way. Items = rows saved. The references
// prepare the same texts once on a direct SQLite connection and bind the same values with the typed setters in
// the same transactions. AutoCommit: the read rows' NAME changed and saved one by one in auto-commit, where each
// save runs in a short transaction of its own; its reference writes the same single-row transactions by hand
// (auto-commit off, the UPDATE, auto-commit on). Each also reports its allocations per row (operator new only: the
// decimal library and SQLite allocate on their own).
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/AllocationCounter.h"
#include "platform/beans/Beans.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sqlite/SqliteDriver.h"
#include "quenlora/zafoli/db/beans/jdbc/ConnectionManager.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcClasses.h"
#include "quenlora/zafoli/db/beans/jdbc/JdbcConnection.h"
#include "testkit/beans/JdbcTableRecord.h"

namespace {

using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::beans::jdbc::ConnectionManager;
using quenlora::zafoli::db::beans::jdbc::JdbcConnection;
using testkit::beans::JdbcTableRecord;

constexpr int kRows = 100000;
constexpr int kBatch = 1000;
constexpr const char* kCreate =
    "create table T (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), AMOUNT DECIMAL(10,2), DAY DATE, RATIO DOUBLE)";
constexpr const char* kInsert = "INSERT INTO T( ID,NAME,AMOUNT,DAY,RATIO ) VALUES( ?,?,?,?,? )\n";
constexpr const char* kUpdate = "UPDATE T SET NAME = ? WHERE ID = ? AND NAME = ?\n";

std::map<std::string, double> g_rates;  // items per second by benchmark name

// The thread's CPU time, which is what items_per_second divides by.
double cpuNow() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void record(benchmark::State& state, std::int64_t items, const char* name, double seconds, std::int64_t allocations) {
  state.SetItemsProcessed(items);
  state.counters["allocs_per_row"] = items > 0 ? static_cast<double>(allocations) / static_cast<double>(items) : 0;
  if (seconds > 0) g_rates[name] = static_cast<double>(items) / seconds;
}

struct RowValues {
  Value id, name, amount, day, ratio;
};

RowValues valuesOf(int i) {
  static const plat::time::Date day = plat::time::Date::valueOf("2024-01-15");
  return {Value(i), Value("name" + std::to_string(i)), Value(plat::math::Decimal::valueOf(i % 100000, 2)), Value(day),
          Value(i * 0.5)};
}

// A bean with one connection on its own in-memory database, and a row class of T over it.
struct BeanSetup {
  Ref<JdbcConnection> bean;
  std::string className;

  explicit BeanSetup(const std::string& name) {
    auto& registry = plat::runvale::ClassRegistry::instance();
    quenlora::zafoli::db::beans::jdbc::registerJdbcClasses(registry);
    plat::sql::sqlite::registerSqliteDriverClass(registry);
    plat::beans::Beans::setDesignTime(false);
    bean = plat::lang::makeRef<JdbcConnection>(plat::sql::sqlite::SqliteDriver::kClassName, "jdbc:sqlite::memory:", "",
                                               "");
    bean->setMaxConnections(1);
    bean->setIdentifier("bench");
    bean->connect();
    auto statement = bean->createStatement();
    bean->executeStatement(statement, kCreate, kCreate);
    bean->closeStatement(statement);
    auto manager = plat::lang::makeRef<ConnectionManager>();
    manager->add(bean);
    JdbcTableRecord::registerManager(registry, "bench.Manager." + name, manager);
    className = "bench.rows." + name;
    JdbcTableRecord::registerClass(registry, className, "T", "bench.Manager." + name, "bench");
  }
};

// Saves the rows in transactions of kBatch, resetting each batch's rows after its commit.
void saveAll(JdbcConnection& bean, const std::vector<Ref<JdbcTableRecord>>& rows) {
  for (std::size_t from = 0; from < rows.size(); from += kBatch) {
    const std::size_t to = std::min(rows.size(), from + kBatch);
    bean.beginTransaction();
    for (std::size_t i = from; i < to; ++i) rows[i]->save();
    bean.endTransaction(true);
    for (std::size_t i = from; i < to; ++i) rows[i]->resetState();
  }
}

void BM_Insert(benchmark::State& state) {
  BeanSetup setup("insert");
  int next = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    std::vector<Ref<JdbcTableRecord>> rows;
    rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i, ++next) {
      auto row = plat::lang::makeRef<JdbcTableRecord>(setup.className);
      row->initDataStorage();
      row->setMarkedAsNew(true);
      const RowValues v = valuesOf(next);
      row->setValueAsObject(0, v.id);
      row->setValueAsObject(1, v.name);
      row->setValueAsObject(2, v.amount);
      row->setValueAsObject(3, v.day);
      row->setValueAsObject(4, v.ratio);
      rows.push_back(std::move(row));
    }
    saveAll(*setup.bean, rows);
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "insert", seconds, allocations);
  setup.bean->setConnectionClosed(true);
}

void BM_Update(benchmark::State& state) {
  BeanSetup setup("update");
  {
    auto connection = setup.bean->getSQLConnection();
    auto insert = connection->prepareStatement(kInsert);
    connection->setAutoCommit(false);
    for (int i = 0; i < kRows; ++i) {
      const RowValues v = valuesOf(i);
      insert->setInt(1, v.id.getInt());
      insert->setString(2, v.name.getString());
      insert->setBigDecimal(3, v.amount.getDecimal());
      insert->setDate(4, v.day.getDate());
      insert->setDouble(5, v.ratio.getDouble());
      insert->executeUpdate();
    }
    connection->commit();
    connection->setAutoCommit(true);
    insert->close();
  }
  std::vector<Ref<JdbcTableRecord>> rows;
  auto all = plat::lang::makeRef<JdbcTableRecord>(setup.className)->querySimilarObjects("", {"ID"});
  while (all->hasMoreElements()) rows.push_back(std::dynamic_pointer_cast<JdbcTableRecord>(all->nextElement()));
  int round = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    ++round;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i]->setValueAsObject(1, Value("n" + std::to_string(round) + "_" + std::to_string(i)));
    }
    saveAll(*setup.bean, rows);
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(rows.size()), "update",
         seconds, allocations);
  setup.bean->setConnectionClosed(true);
}

// Fills T with kRows rows through the bean's own connection, in one transaction.
void fill(JdbcConnection& bean) {
  auto connection = bean.getSQLConnection();
  auto insert = connection->prepareStatement(kInsert);
  connection->setAutoCommit(false);
  for (int i = 0; i < kRows; ++i) {
    const RowValues v = valuesOf(i);
    insert->setInt(1, v.id.getInt());
    insert->setString(2, v.name.getString());
    insert->setBigDecimal(3, v.amount.getDecimal());
    insert->setDate(4, v.day.getDate());
    insert->setDouble(5, v.ratio.getDouble());
    insert->executeUpdate();
  }
  connection->commit();
  connection->setAutoCommit(true);
  insert->close();
}

void BM_AutoCommit(benchmark::State& state) {
  BeanSetup setup("autocommit");
  fill(*setup.bean);
  std::vector<Ref<JdbcTableRecord>> rows;
  auto all = plat::lang::makeRef<JdbcTableRecord>(setup.className)->querySimilarObjects("", {"ID"});
  while (all->hasMoreElements()) rows.push_back(std::dynamic_pointer_cast<JdbcTableRecord>(all->nextElement()));
  int round = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    ++round;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i]->setValueAsObject(1, Value("n" + std::to_string(round) + "_" + std::to_string(i)));
      rows[i]->save();
    }
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(rows.size()), "autocommit",
         seconds, allocations);
  setup.bean->setConnectionClosed(true);
}

Ref<plat::sql::Connection> directConnection() {
  plat::sql::sqlite::registerSqliteDriver();
  auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite::memory:");
  auto statement = connection->createStatement();
  statement->executeUpdate(kCreate);
  statement->close();
  return connection;
}

// One row of valuesOf(i) through the direct prepared INSERT.
void insertDirect(plat::sql::PreparedStatement& insert, int i) {
  const RowValues v = valuesOf(i);
  insert.setInt(1, v.id.getInt());
  insert.setString(2, v.name.getString());
  insert.setBigDecimal(3, v.amount.getDecimal());
  insert.setDate(4, v.day.getDate());
  insert.setDouble(5, v.ratio.getDouble());
  insert.executeUpdate();
}

// Inserts the kRows rows in one transaction; answers their names, as the UPDATE's WHERE reads them.
std::vector<std::string> seedDirect(plat::sql::Connection& connection) {
  auto insert = connection.prepareStatement(kInsert);
  connection.setAutoCommit(false);
  for (int i = 0; i < kRows; ++i) insertDirect(*insert, i);
  connection.commit();
  connection.setAutoCommit(true);
  insert->close();
  std::vector<std::string> names(kRows);
  for (int i = 0; i < kRows; ++i) names[static_cast<std::size_t>(i)] = valuesOf(i).name.getString();
  return names;
}

void BM_Insert_Reference(benchmark::State& state) {
  auto connection = directConnection();
  auto insert = connection->prepareStatement(kInsert);
  int next = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    for (int from = 0; from < kRows; from += kBatch) {
      connection->setAutoCommit(false);
      for (int i = 0; i < kBatch; ++i, ++next) {
        insertDirect(*insert, next);
      }
      connection->commit();
      connection->setAutoCommit(true);
    }
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "insert_reference", seconds, allocations);
  insert->close();
  connection->close();
}

void BM_Update_Reference(benchmark::State& state) {
  auto connection = directConnection();
  std::vector<std::string> names = seedDirect(*connection);
  auto update = connection->prepareStatement(kUpdate);
  int round = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    ++round;
    for (int from = 0; from < kRows; from += kBatch) {
      connection->setAutoCommit(false);
      for (int i = from; i < from + kBatch; ++i) {
        std::string name = "n" + std::to_string(round) + "_" + std::to_string(i);
        update->setString(1, name);
        update->setInt(2, i);
        update->setString(3, names[static_cast<std::size_t>(i)]);
        update->executeUpdate();
        names[static_cast<std::size_t>(i)] = std::move(name);
      }
      connection->commit();
      connection->setAutoCommit(true);
    }
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "update_reference", seconds, allocations);
  update->close();
  connection->close();
}

void BM_AutoCommit_Reference(benchmark::State& state) {
  auto connection = directConnection();
  std::vector<std::string> names = seedDirect(*connection);
  auto update = connection->prepareStatement(kUpdate);
  int round = 0;
  double seconds = 0;
  std::int64_t allocations = 0;
  for (auto _ : state) {
    const double start = cpuNow();
    const std::int64_t allocatedBefore = g_allocations.load(std::memory_order_relaxed);
    ++round;
    for (int i = 0; i < kRows; ++i) {
      std::string name = "n" + std::to_string(round) + "_" + std::to_string(i);
      connection->setAutoCommit(false);
      update->setString(1, name);
      update->setInt(2, i);
      update->setString(3, names[static_cast<std::size_t>(i)]);
      if (update->executeUpdate() == 1) {
        connection->setAutoCommit(true);
      } else {
        connection->rollback();
        connection->setAutoCommit(true);
      }
      names[static_cast<std::size_t>(i)] = std::move(name);
    }
    seconds += cpuNow() - start;
    allocations += g_allocations.load(std::memory_order_relaxed) - allocatedBefore;
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "autocommit_reference", seconds, allocations);
  update->close();
  connection->close();
}

}  // namespace

BENCHMARK(BM_Insert)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Insert_Reference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Update)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Update_Reference)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AutoCommit)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_AutoCommit_Reference)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The ratios go to standard error so that a JSON report on standard output stays clean.
  for (const char* name : {"insert", "update", "autocommit"}) {
    const double mine = g_rates[name];
    const double reference = g_rates[std::string(name) + "_reference"];
    if (reference > 0) std::fprintf(stderr, "%s / reference: %.2f\n", name, mine / reference);
  }
  return 0;
}
