// The data bus under load. Name resolution: ten providers publish 100 one-column items each (1,000 items), and
// 1,000,000 requests by binding name are resolved through the bus, each answered by the first member that owns
// the name. items_per_second = requests resolved per second.
// Mediator propagation: a provider mediator publishes a one-row data source, a consumer mediator binds a bean's
// property to it, and the source changes its value 1,000,000 times, each change refreshed into the item and
// written into the bean through its registered set method. items_per_second = changes that reached the bean per
// second.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/MethodDescriptor.h"
#include "quenlora/zafoli/db/beans/binding/BasicDataSource.h"
#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/Name.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"

namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using quenlora::zafoli::db::beans::binding::DataInput;
using quenlora::zafoli::db::beans::binding::Name;
using quenlora::zafoli::db::beans::binding::NewValue;
using namespace quenlora::zafoli::db::beans::binding::databus;

constexpr int kProviders = 10;
constexpr int kColumnsPerProvider = 100;
constexpr int kRequestsPerIteration = 1000;
constexpr int kIterations = 1000;  // 1,000,000 requests in all

// Answers requests for its own columns, one published item per column, the way a data source's mediator answers
// from the items it has published.
class NameProvider : public plat::lang::Object, public DataBusMember, public DataBusEventListener {
 public:
  explicit NameProvider(const std::string& alias) {
    std::string columns;
    for (int c = 0; c < kColumnsPerProvider; ++c) {
      if (c > 0) columns += ",";
      columns += "C" + std::to_string(c);
      auto item = makeRef<DataInput>();
      item->setValue(NewValue(plat::lang::Value(c)));
      items_.push_back(item);
    }
    name_ = Name(alias, columns);
  }

  Ref<DataBus> getDataBus() const override { return bus_; }
  void setDataBus(const Ref<DataBus>& bus) override { bus_ = bus; }
  void addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void handleDataBusEvent(const DataBusEvent&) override {}
  void requestDataItem(DataBusEvent& event) override {
    const std::string& requested = event.getDataItemName();
    if (!name_.isMyField(requested)) return;
    if (Name::getNumberOfRows(requested) != 1) return;
    std::vector<int> positions = name_.getColumnsFromName(requested);
    if (positions.size() == 1 && positions[0] >= 0) event.setDataItem(items_[static_cast<std::size_t>(positions[0])]);
  }

 private:
  Name name_;
  Ref<DataBus> bus_;
  std::vector<Ref<DataInput>> items_;
};

// The asking side: a member like any other, which answers nothing.
class NameConsumer : public plat::lang::Object, public DataBusMember, public DataBusEventListener {
 public:
  Ref<DataBus> getDataBus() const override { return bus; }
  void setDataBus(const Ref<DataBus>& b) override { bus = b; }
  void addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void handleDataBusEvent(const DataBusEvent&) override {}
  void requestDataItem(DataBusEvent&) override {}

  Ref<DataBus> bus;
};

void BM_ResolveByName(benchmark::State& state) {
  DataBus::initialize();
  auto consumer = makeRef<NameConsumer>();
  DataBus::joinDataBus(consumer);
  std::vector<Ref<NameProvider>> providers;
  std::vector<std::string> names;
  for (int p = 0; p < kProviders; ++p) {
    providers.push_back(makeRef<NameProvider>("src" + std::to_string(p)));
    DataBus::joinDataBus(providers.back());
    for (int c = 0; c < kColumnsPerProvider; ++c)
      names.push_back("src" + std::to_string(p) + "@C" + std::to_string(c) + "%1");
  }
  std::shuffle(names.begin(), names.end(), std::mt19937(7));
  Ref<DataBus> bus = consumer->bus;

  for (auto _ : state) {
    for (const std::string& name : names) {
      Ref<DataItem> found = bus->findDataItem(name, consumer.get());
      if (!found) {
        state.SkipWithError(("no answer for " + name).c_str());
        break;
      }
      benchmark::DoNotOptimize(found.get());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kRequestsPerIteration);
  DataBus::initialize();
}

BENCHMARK(BM_ResolveByName)->Iterations(kIterations)->Unit(benchmark::kMillisecond);

using quenlora::zafoli::db::beans::binding::BasicDataSource;
using quenlora::zafoli::db::beans::binding::Mediator;
using quenlora::zafoli::db::beans::binding::MediatorDS;
using quenlora::zafoli::db::beans::binding::TriggerUIEvent;
using quenlora::zafoli::db::beans::binding::TriggerUIListener;

constexpr int kChangesPerIteration = 1000;  // 1,000,000 changes over kIterations

// One row of one column whose value changes, telling its mediator each time as a navigator tells it of an edit.
class ChangingSource : public plat::lang::Object, public BasicDataSource {
 public:
  void addTriggerUIListener(const Ref<TriggerUIListener>& listener) override { listeners_.push_back(listener); }
  void removeTriggerUIListener(const Ref<TriggerUIListener>& listener) override {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
  }
  int getCurrentRowNumber() override { return 0; }
  int getTotalNumberOfRows() override { return 1; }
  plat::lang::Value getValue(int row, int column) override {
    return row == 0 && column == 0 ? value_ : plat::lang::Value();
  }
  void setValue(const plat::lang::Value& value, int row, int column) override {
    if (row == 0 && column == 0) value_ = value;
  }
  void change(int value) {
    value_ = plat::lang::Value(value);
    const TriggerUIEvent event(this, 0, TriggerUIEvent::RECORDCHANGED);
    for (const auto& listener : std::vector<Ref<TriggerUIListener>>(listeners_)) listener->commitUI(event);
  }
  std::string getClassName() const override { return "bench.ChangingSource"; }

 private:
  plat::lang::Value value_{0};
  std::vector<Ref<TriggerUIListener>> listeners_;
};

// The bound bean: one property set through a method the class registry knows.
class Gauge : public plat::lang::Object {
 public:
  static constexpr const char* kClassName = "bench.Gauge";
  plat::lang::Value reading;
  std::string getClassName() const override { return kClassName; }

  static void registerClass() {
    auto& registry = plat::runvale::ClassRegistry::instance();
    registry.registerClass({kClassName, [] { return makeRef<Gauge>(); }, {}, ""});
    registry.addMethod(kClassName, {"setReading",
                                    {"java.lang.Object"},
                                    "void",
                                    [](plat::lang::Object& t, const std::vector<plat::lang::Value>& a) {
                                      dynamic_cast<Gauge&>(t).reading = a.at(0);
                                      return plat::lang::Value();
                                    }});
    registry.addMethod(
        kClassName,
        {"getReading", {}, "java.lang.Object", [](plat::lang::Object& t, const std::vector<plat::lang::Value>&) {
           return dynamic_cast<Gauge&>(t).reading;
         }});
  }
};

void BM_MediatorPropagation(benchmark::State& state) {
  DataBus::initialize();
  Gauge::registerClass();
  auto source = makeRef<ChangingSource>();
  auto provider = makeRef<MediatorDS>();
  provider->setOutput(source);
  provider->setSetMethods({MediatorDS::SourceSetDescriptor});
  provider->setGetMethods({MediatorDS::SourceGetDescriptor});
  provider->setDataBinding("bench@VALUE%1");
  auto bean = makeRef<Gauge>();
  auto consumer = makeRef<Mediator>();
  consumer->setOutput(bean);
  consumer->setSetMethods({"setReading(Value)"});
  consumer->setGetMethods({"getReading()"});
  consumer->setDataBinding("bench@VALUE");
  if (!consumer->hasFoundDI()) state.SkipWithError("the consumer found no item");

  int next = 1;
  for (auto _ : state) {
    for (int i = 0; i < kChangesPerIteration; ++i) source->change(next++);
  }
  if (!bean->reading.equals(plat::lang::Value(next - 1))) state.SkipWithError("the bean missed a change");
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * kChangesPerIteration);
  provider->killAll();
  DataBus::initialize();
}

BENCHMARK(BM_MediatorPropagation)->Iterations(kIterations)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
