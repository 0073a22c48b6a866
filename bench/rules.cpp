// The business rules at volume.
// Calculations: 100,000 prebuilt rows of three numeric inputs (Integer, Long and Double mixed) through the six
// numeric functions in turn, output INTEGER and DOUBLE alternating; items_per_second = calculations per second.
// Validations: 100,000 rows through the number, string and date validations and all their operators, one in ten
// broken (thrown as the outcome protocol says); items_per_second = validations per second.
// Aggregate: a CalculationAdapter over a navigator of 100,000 in-memory records, A * B per row folded by addition,
// one calculate() per iteration; items_per_second = rows folded per second. The reference runs SELECT SUM(a*b) over
// the same rows in SQLite (in memory) for scale.
#include <benchmark/benchmark.h>

#include <time.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Connection.h"
#include "platform/sql/DriverManager.h"
#include "platform/sql/PreparedStatement.h"
#include "platform/sql/ResultSet.h"
#include "platform/sql/Statement.h"
#include "platform/sql/Types.h"
#include "platform/sqlite/SqliteDriver.h"
#include "platform/time/Date.h"
#include "quenlora/zafoli/db/beans/binding/SingleRowBDSSupport.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "quenlora/zafoli/db/beans/brl/CalculationFailedValue.h"
#include "quenlora/zafoli/db/beans/brl/ConstantMember.h"
#include "quenlora/zafoli/db/beans/brl/DataBusItemColMember.h"
#include "quenlora/zafoli/db/beans/brl/DerivationRow.h"
#include "quenlora/zafoli/db/beans/brl/ValidationException.h"
#include "quenlora/zafoli/db/beans/brl/ValidationRow.h"
#include "quenlora/zafoli/db/beans/brl/adapter/CalculationAdapter.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/AdditionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/DivisionFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MaxFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MinFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/MultiplicationFunction.h"
#include "quenlora/zafoli/db/beans/brl/derivation/number/SubtractFunction.h"
#include "quenlora/zafoli/db/beans/brl/validation/date/DateValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/number/NumberValidation.h"
#include "quenlora/zafoli/db/beans/brl/validation/string/StringValidation.h"
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryLink.h"
#include "testkit/beans/MemoryQueryNavigator.h"
#include "testkit/beans/MemoryRecord.h"
#include "testkit/beans/MemoryTable.h"

namespace {

namespace brl = quenlora::zafoli::db::beans::brl;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using plat::sql::Types;

constexpr int kRows = 100000;
std::map<std::string, double> g_rates;

// The thread's CPU time, which is what items_per_second divides by.
double cpuNow() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void record(benchmark::State& state, std::int64_t items, const char* name, double start) {
  state.SetItemsProcessed(items);
  const double seconds = cpuNow() - start;
  if (seconds > 0) g_rates[name] = static_cast<double>(items) / seconds;
}

std::shared_ptr<brl::ConstantMember> constant(Value value) {
  return std::make_shared<brl::ConstantMember>(std::move(value), 0);
}

// Input i of row r: Integer, Long or Double by turns, never zero, small enough that no product overflows.
Value input(int r, int i) {
  const int n = 1 + (r * 7 + i * 13) % 97;
  switch ((r + i) % 3) {
    case 0:
      return Value(n);
    case 1:
      return Value::ofLong(n);
    default:
      return Value(n + 0.5);
  }
}

void BM_RuleCalculations(benchmark::State& state) {
  std::vector<brl::DerivationRow> rows(kRows);
  for (int r = 0; r < kRows; ++r) {
    for (int i = 0; i < 3; ++i) rows[r].addSourceColumnMember(constant(input(r, i)));
  }
  std::vector<std::shared_ptr<brl::Calculation>> functions = {
      std::make_shared<brl::derivation::number::AdditionFunction>(),
      std::make_shared<brl::derivation::number::SubtractFunction>(),
      std::make_shared<brl::derivation::number::MultiplicationFunction>(),
      std::make_shared<brl::derivation::number::DivisionFunction>(),
      std::make_shared<brl::derivation::number::MaxFunction>(),
      std::make_shared<brl::derivation::number::MinFunction>()};
  std::int64_t failures = 0;
  const double start = cpuNow();
  for (auto _ : state) {
    for (int r = 0; r < kRows; ++r) {
      const Value v = functions[r % 6]->getComputedValue(rows[r], (r & 1) ? Types::DOUBLE : Types::INTEGER);
      failures += brl::CalculationFailedValue::isIn(v) ? 1 : 0;
      benchmark::DoNotOptimize(v);
    }
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "calculations", start);
  if (failures != 0) state.SkipWithError("a calculation failed");
}
BENCHMARK(BM_RuleCalculations)->Unit(benchmark::kMillisecond);

struct ValidationCase {
  std::shared_ptr<brl::Validation> rule;
  brl::ValidationRow row;
  bool broken;
};

brl::ValidationRow validationRow(Value source, const char* op, Value target) {
  brl::ValidationRow row;
  row.addSourceColumnMember(constant(std::move(source)));
  row.addComparisionOperator(std::make_shared<brl::OperatorMember>(op));
  row.addTargetColumnMember(constant(std::move(target)));
  return row;
}

void BM_RuleValidations(benchmark::State& state) {
  auto number = std::make_shared<brl::validation::number::NumberValidation>();
  auto text = std::make_shared<brl::validation::string::StringValidation>();
  auto date = std::make_shared<brl::validation::date::DateValidation>();
  struct Form {
    std::shared_ptr<brl::Validation> rule;
    const char* op;
    Value holdsSource, holdsTarget, brokenSource, brokenTarget;
  };
  const plat::time::Date d1(2020, 1, 1), d2(2020, 1, 2);
  const Form forms[] = {
      {number, ">", Value(5), Value::ofLong(3), Value(3), Value::ofLong(5)},
      {number, "<", Value(3.5), Value(5), Value(5.5), Value(3)},
      {number, "==", Value::ofLong(4), Value(4), Value::ofLong(3), Value(4)},
      {number, ">=", Value(5), Value(5.0), Value(3), Value(4.0)},
      {number, "<=", Value(3), Value(4), Value(5), Value(4)},
      {number, "!=", Value(3.0), Value(4.0), Value(4.0), Value(4.0)},
      {text, "equals", Value("abc"), Value("abc"), Value("abc"), Value("abd")},
      {text, "contains", Value("abcdef"), Value("cd"), Value("abc"), Value("x")},
      {date, "equals", Value(d1), Value(d1), Value(d1), Value(d2)},
      {date, "after", Value(d2), Value(d1), Value(d1), Value(d2)},
      {date, "before", Value(d1), Value(d2), Value(d2), Value(d1)},
  };
  std::vector<ValidationCase> cases;
  cases.reserve(kRows);
  for (int r = 0; r < kRows; ++r) {
    const Form& f = forms[r % 11];
    const bool broken = r % 10 == 9;
    cases.push_back(
        {f.rule, validationRow(broken ? f.brokenSource : f.holdsSource, f.op, broken ? f.brokenTarget : f.holdsTarget),
         broken});
  }
  std::int64_t wrong = 0;
  const double start = cpuNow();
  for (auto _ : state) {
    for (auto& c : cases) {
      bool broken = false;
      try {
        c.rule->validate(c.row);
      } catch (const brl::ValidationException& e) {
        broken = e.getValidationType() == brl::ValidationException::VALIDATION_PERFORMED;
      }
      wrong += broken != c.broken ? 1 : 0;
    }
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "validations", start);
  if (wrong != 0) state.SkipWithError("a validation gave the wrong outcome");
}
BENCHMARK(BM_RuleValidations)->Unit(benchmark::kMillisecond);

// The same rows for the adapter's navigator and for SQLite.
std::int64_t a(int r) {
  return 1 + r % 100;
}
std::int64_t b(int r) {
  return 1 + r % 37;
}

void BM_RuleAggregate(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  quenlora::zafoli::db::beans::binding::databus::DataBus::initialize();
  auto table =
      makeRef<testkit::beans::MemoryTable>("facts",
                                           std::vector<testkit::beans::MemoryTable::Column>{
                                               {"ID", Types::INTEGER}, {"A", Types::INTEGER}, {"B", Types::INTEGER}},
                                           0, true);
  std::int64_t expected = 0;
  for (int r = 0; r < kRows; ++r) {
    table->addRow({Value(r), Value(static_cast<int>(a(r))), Value(static_cast<int>(b(r)))});
    expected += a(r) * b(r);
  }
  auto connection = makeRef<testkit::beans::MemoryConnection>();
  auto& registry = plat::runvale::ClassRegistry::instance();
  testkit::beans::MemoryRecord::registerClass(registry, "bench.Facts", table, connection);
  plat::runvale::jpeLoadModule("Tethra");
  auto navigator = makeRef<testkit::beans::MemoryQueryNavigator>();
  navigator->setClassName("bench.Facts");
  navigator->setAliasName("facts");
  navigator->setLink(makeRef<testkit::beans::MemoryLink>(navigator.get(), connection));
  navigator->execute(true);
  auto adapter = makeRef<brl::adapter::CalculationAdapter>();
  adapter->setVirtualColImplClass(&registry.forName(brl::derivation::number::MultiplicationFunction::NAME));
  adapter->setVirtualColAggrImplClass(&registry.forName(brl::derivation::number::AdditionFunction::NAME));
  adapter->setType(1);
  adapter->setOutputDataType(Types::BIGINT);
  adapter->setOutputName("TOTAL");
  adapter->setSourceColumns({std::make_shared<brl::DataBusItemColMember>("facts@A", Types::INTEGER, 0),
                             std::make_shared<brl::DataBusItemColMember>("facts@B", Types::INTEGER, 0)});
  adapter->setAliasName("sum");
  adapter->calculate();  // the navigator's cache filled before the measured runs
  const double start = cpuNow();
  for (auto _ : state) adapter->calculate();
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "aggregate", start);
  const auto publisher =
      quenlora::zafoli::db::beans::binding::SingleRowBDSSupport::getPublisher(adapter->getDataBindingName());
  if (!publisher || publisher->getValue(0, 0) != Value::ofLong(expected)) state.SkipWithError("wrong total");
  navigator->close();
}
BENCHMARK(BM_RuleAggregate)->Unit(benchmark::kMillisecond);

void BM_RuleAggregate_Reference(benchmark::State& state) {
  plat::sql::sqlite::registerSqliteDriver();
  auto connection = plat::sql::DriverManager::getConnection("jdbc:sqlite::memory:");
  connection->createStatement()->execute("CREATE TABLE facts (id INTEGER PRIMARY KEY, a INTEGER, b INTEGER)");
  connection->setAutoCommit(false);
  auto insert = connection->prepareStatement("INSERT INTO facts VALUES (?, ?, ?)");
  std::int64_t expected = 0;
  for (int r = 0; r < kRows; ++r) {
    insert->setInt(1, r);
    insert->setInt(2, static_cast<int>(a(r)));
    insert->setInt(3, static_cast<int>(b(r)));
    insert->executeUpdate();
    expected += a(r) * b(r);
  }
  connection->commit();
  auto statement = connection->createStatement();
  std::int64_t total = 0;
  const double start = cpuNow();
  for (auto _ : state) {
    auto result = statement->executeQuery("SELECT SUM(a*b) FROM facts");
    result->next();
    total = result->getLong(1);
  }
  record(state, static_cast<std::int64_t>(state.iterations()) * kRows, "aggregate_reference", start);
  if (total != expected) state.SkipWithError("wrong total");
  connection->close();
}
BENCHMARK(BM_RuleAggregate_Reference)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The ratio goes to standard error so that a JSON report on standard output stays clean.
  const double mine = g_rates["aggregate"];
  const double reference = g_rates["aggregate_reference"];
  if (reference > 0) std::fprintf(stderr, "aggregate / reference: %.2f\n", mine / reference);
  return 0;
}
