// A master/detail tree through the synchroniser's links: a master navigator over 10,000 rows and a detail over
// 100,000 rows (10 per master, joined on an indexed PARENT column), three bound consumers on each, one
// MemoryConnection.
// Switches (the navigator's public moves, which go through its link): the master's next over every row, then
// 10,000 go-to steps to random rows, each re-querying the detail and showing its first record; items_per_second =
// master moves per second.
// Tree saves: one cell of the master's current record and of each of its 10 details edited, then the master's save
// (one transaction: deletions, master, details; state commit; detail re-query); items_per_second = tree saves.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
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

constexpr int kMasters = 10000;
constexpr int kDetailsPerMaster = 10;
constexpr int kGotoSteps = 10000;

Ref<MemoryTable> makeMasters() {
  auto table = makeRef<MemoryTable>(
      "masters",
      std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER}, {"NAME", plat::sql::Types::VARCHAR}}, 0,
      true);
  for (int i = 0; i < kMasters; ++i) table->addRow({Value(i), Value("master " + std::to_string(i))});
  return table;
}

Ref<MemoryTable> makeDetails() {
  auto table = makeRef<MemoryTable>("details",
                                    std::vector<MemoryTable::Column>{{"ID", plat::sql::Types::INTEGER},
                                                                     {"PARENT", plat::sql::Types::INTEGER},
                                                                     {"NAME", plat::sql::Types::VARCHAR}},
                                    0, true);
  table->indexColumn(1);
  for (int i = 0; i < kMasters * kDetailsPerMaster; ++i)
    table->addRow({Value(i), Value(i / kDetailsPerMaster), Value("detail " + std::to_string(i))});
  return table;
}

// The master and its detail, linked through the synchroniser by their aliases, each with three bound consumers,
// both standing on their first record.
struct Scene {
  Ref<MemoryTable> masters = makeMasters();
  Ref<MemoryTable> details = makeDetails();
  Ref<MemoryConnection> connection = makeRef<MemoryConnection>();
  Ref<MemoryQueryNavigator> master;
  Ref<MemoryQueryNavigator> detail;
  std::vector<Ref<RecordingBean>> beans;
  std::vector<Ref<Mediator>> consumers;

  explicit Scene(int serial) {
    static bool registered = false;
    if (!registered) RecordingBean::registerClass(plat::runvale::ClassRegistry::instance());
    registered = true;
    DataBus::initialize();
    const std::string tag = std::to_string(serial);
    auto& registry = plat::runvale::ClassRegistry::instance();
    MemoryRecord::registerClass(registry, "bench.Master" + tag, masters, connection);
    MemoryRecord::registerClass(registry, "bench.Detail" + tag, details, connection);
    master = makeRef<MemoryQueryNavigator>();
    master->setClassName("bench.Master" + tag);
    detail = makeRef<MemoryQueryNavigator>();
    detail->setClassName("bench.Detail" + tag);
    detail->setMasterAliasName("master" + tag);
    detail->setJoins({{"PARENT", "ID"}});
    detail->setAliasName("detail" + tag);
    master->setAliasName("master" + tag);
    detail->execute(true);
    master->execute(true);
    bind("master" + tag, {"ID", "NAME", "ID"});
    bind("detail" + tag, {"ID", "PARENT", "NAME"});
  }
  ~Scene() {
    detail->close();
    master->close();
  }

  void bind(const std::string& alias, const std::vector<std::string>& columns) {
    for (const auto& column : columns) {
      auto bean = makeRef<RecordingBean>();
      auto consumer = makeRef<Mediator>();
      consumer->setOutput(bean);
      consumer->setDataBinding(alias + "@" + column);
      consumer->setSetMethods({"setText(Value)"});
      consumer->setGetMethods({"getText()"});
      beans.push_back(bean);
      consumers.push_back(consumer);
    }
  }
  void forgetWrites() {
    for (auto& bean : beans) bean->clearWrites();
  }
  // The detail shows the first child of the master's current record.
  bool detailFollows() { return detail->getValue(0, 1).equals(master->getValue(0, 0)); }
};

int nextSerial() {
  static int serial = 0;
  return ++serial;
}

void BM_SynchroniserSwitches(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;  // the navigators' own exception listeners print what they hear
  std::mt19937 random(42);
  std::uniform_int_distribution<int> row(1, kMasters);
  std::int64_t moves = 0;
  std::unique_ptr<Scene> scene;
  bool follows = true;
  for (auto _ : state) {
    state.PauseTiming();
    scene.reset();
    scene = std::make_unique<Scene>(nextSerial());
    state.ResumeTiming();
    auto& master = *scene->master;
    master.first();
    ++moves;
    while (!master.isEOF()) {
      master.next();
      if ((++moves & 1023) == 0) scene->forgetWrites();
    }
    for (int i = 0; i < kGotoSteps; ++i) {
      master.go_to(row(random));
      if ((++moves & 1023) == 0) scene->forgetWrites();
    }
    follows = follows && scene->detailFollows();
  }
  state.SetItemsProcessed(moves);
  if (!follows) state.SkipWithError("the detail did not follow its master");
}
BENCHMARK(BM_SynchroniserSwitches)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SynchroniserTreeSave(benchmark::State& state) {
  plat::lang::ConsoleCapture quiet;
  Scene scene(nextSerial());
  auto& master = *scene.master;
  auto& detail = *scene.detail;
  int cycle = 0;
  for (auto _ : state) {
    const std::string text = "edited " + std::to_string(cycle++);
    master.setValue(Value(text), 0, 1);
    for (int r = 0; r < kDetailsPerMaster; ++r) detail.setValue(Value(text), r, 2);
    master.save();
    if ((cycle & 1023) == 0) scene.forgetWrites();
  }
  state.SetItemsProcessed(state.iterations());
  const auto first = scene.details->find(Value(0));
  if (master.isDirty() || detail.isDirty() || !first || first->at(2).toString().rfind("edited", 0) != 0)
    state.SkipWithError("the edits did not reach the tables");
}
BENCHMARK(BM_SynchroniserTreeSave)->Iterations(20000);

}  // namespace

BENCHMARK_MAIN();
