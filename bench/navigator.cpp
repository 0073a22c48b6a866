// The query navigator over a 100,000-row in-memory table of five columns (INTEGER, VARCHAR, DECIMAL, DATE,
// DOUBLE), published on the data bus with five consumers bound to the current record, linked through the
// master/detail synchroniser (a tree of one) as in a program.
// Navigation: first, next to the end (the cache fetched lazily), then 100,000 go-to steps to random rows, all
// through the navigator's public moves and its link; items_per_second = steps per second.
// Edit/save: a value typed into a bound bean and committed, the current record saved (pass 5 and the state commit,
// in one transaction of a MemoryConnection, through the synchroniser's tree save), then next; items_per_second =
// cycles per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/System.h"
#include "platform/math/Decimal.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "platform/time/Date.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryQueryNavigator.h"
#include "testkit/beans/MemoryRecord.h"
#include "testkit/beans/MemoryTable.h"
#include "testkit/beans/RecordingBean.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using quenlora::zafoli::db::beans::binding::Mediator;
using quenlora::zafoli::db::beans::binding::databus::DataBus;
using namespace testkit::beans;

constexpr int kRows = 100000;
constexpr int kGotoSteps = 100000;
const char* const kColumns[] = {"ID", "NAME", "AMOUNT", "BORN", "RATE"};

Ref<MemoryTable> makeTable() {
  auto table = makeRef<MemoryTable>("people",
                                    std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER},
                                                                     {"NAME", plat::sql::Types::VARCHAR},
                                                                     {"AMOUNT", plat::sql::Types::DECIMAL},
                                                                     {"BORN", plat::sql::Types::DATE},
                                                                     {"RATE", plat::sql::Types::DOUBLE}},
                                    0, true);
  for (int i = 0; i < kRows; ++i)
    table->addRow({Value(i), Value("name " + std::to_string(i)),
                   Value(plat::math::Decimal::valueOf(static_cast<int64_t>(i) * 3)),
                   Value(plat::time::Date(1950 + i % 60, 1 + i % 12, 1 + i % 28)), Value(i * 0.5)});
  return table;
}

// One navigator, published, with five bound consumers, standing on its first record.
struct Scene {
  Ref<MemoryTable> table = makeTable();
  Ref<MemoryConnection> connection = makeRef<MemoryConnection>();
  Ref<MemoryQueryNavigator> navigator;
  std::vector<Ref<RecordingBean>> beans;
  std::vector<Ref<Mediator>> consumers;

  Scene() {
    static bool registered = false;
    if (!registered) RecordingBean::registerClass(plat::runvale::ClassRegistry::instance());
    registered = true;
    DataBus::initialize();
    MemoryRecord::registerClass(plat::runvale::ClassRegistry::instance(), "bench.People", table, connection);
    navigator = makeRef<MemoryQueryNavigator>();
    navigator->setClassName("bench.People");
    navigator->setAliasName("people");
    navigator->execute(true);
    for (const char* column : kColumns) {
      auto bean = makeRef<RecordingBean>();
      auto consumer = makeRef<Mediator>();
      consumer->setOutput(bean);
      consumer->setDataBinding(std::string("people@") + column);
      consumer->setSetMethods({"setText(Value)"});
      consumer->setGetMethods({"getText()"});
      beans.push_back(bean);
      consumers.push_back(consumer);
    }
  }
  ~Scene() { navigator->close(); }
};

void BM_NavigatorNavigation(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;  // the navigator's own exception listener prints what it hears
  std::mt19937 random(42);
  std::uniform_int_distribution<int> row(1, kRows);
  std::int64_t steps = 0;
  std::unique_ptr<Scene> scene;
  for (auto _ : state) {
    state.PauseTiming();
    scene.reset();
    scene = std::make_unique<Scene>();
    state.ResumeTiming();
    auto& navigator = *scene->navigator;
    navigator.first();
    ++steps;
    // The test beans keep a log of every write: it is emptied now and then, so that the log's growth is not
    // measured as the navigator's.
    auto forget = [&] {
      if ((steps & 1023) == 0)
        for (auto& bean : scene->beans) bean->clearWrites();
    };
    while (!navigator.isEOF()) {
      navigator.next();
      ++steps;
      forget();
    }
    for (int i = 0; i < kGotoSteps; ++i) {
      navigator.go_to(row(random));
      ++steps;
      forget();
    }
    benchmark::DoNotOptimize(scene->beans.front()->getText());
  }
  state.SetItemsProcessed(steps);
}
BENCHMARK(BM_NavigatorNavigation)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_NavigatorEditSave(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  Scene scene;
  auto& navigator = *scene.navigator;
  auto& bean = *scene.beans[1];
  auto& consumer = *scene.consumers[1];
  int cycle = 0;
  for (auto _ : state) {
    bean.edit(Value("edited " + std::to_string(cycle++)), 0, 0);
    consumer.commit();
    navigator.save();
    navigator.next();
    if (navigator.isEOF()) navigator.first();
    if ((cycle & 1023) == 0)
      for (auto& b : scene.beans) b->clearWrites();
  }
  state.SetItemsProcessed(state.iterations());
  if (!navigator.isDirty() && scene.table->find(Value(0))->at(1).toString().rfind("edited", 0) != 0)
    state.SkipWithError("the edits did not reach the table");
}
BENCHMARK(BM_NavigatorEditSave)->Iterations(100000);

}  // namespace

BENCHMARK_MAIN();
