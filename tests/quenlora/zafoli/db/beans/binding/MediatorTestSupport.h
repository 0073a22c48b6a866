// Shared arrangement of the mediator tests: a fresh data bus per test, the test bean's class registered, and
// helpers that make a provider over an in-memory source and a consumer over a recording bean.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/binding/DataItemAddition.h"
#include "quenlora/zafoli/db/beans/binding/DataSynchronizer.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "testkit/beans/MemoryDataSource.h"
#include "testkit/beans/RecordingBean.h"

namespace quenlora::zafoli::db::beans::binding::testing {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::MemoryDataSource;
using testkit::beans::RecordingBean;

struct Provider {
  Ref<MemoryDataSource> source;
  Ref<MediatorDS> mediator;
  std::string fullName;
};

class MediatorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RecordingBean::registerClass(plat::runvale::ClassRegistry::instance());
    DataSynchronizer::registerClass(plat::runvale::ClassRegistry::instance());
  }
  void SetUp() override {
    databus::DataBus::initialize();
    Mediator::notifyOnStatic.store(false);
    Mediator::notifySizeOnStatic.store(true);
  }
  void TearDown() override { databus::DataBus::initialize(); }

  // A source of those columns and rows, published under alias by its own provider mediator.
  static Provider provide(const std::string& alias, std::vector<std::string> columns,
                          std::vector<MemoryDataSource::Row> rows, bool virtualColumns = true) {
    Provider p;
    p.source = makeRef<MemoryDataSource>(std::move(columns), std::move(rows));
    p.mediator = makeRef<MediatorDS>();
    p.mediator->setOutput(p.source);
    p.mediator->setSetMethods({MediatorDS::SourceSetDescriptor});
    p.mediator->setGetMethods({MediatorDS::SourceGetDescriptor});
    if (!alias.empty() || virtualColumns) p.fullName = p.source->publish(alias, virtualColumns);
    return p;
  }

  // A consumer writing into bean's text (one cell) or its grid of cells.
  static Ref<Mediator> consume(const Ref<RecordingBean>& bean, const std::string& binding, bool grid = false) {
    auto mediator = makeRef<Mediator>();
    mediator->setOutput(bean);
    mediator->setDataBinding(binding);
    mediator->setSetMethods({grid ? "setCell(Value,Row,Col)" : "setText(Value)"});
    mediator->setGetMethods({grid ? "getCell(Row,Col)" : "getText()"});
    return mediator;
  }

  static std::string nameOf(const Ref<databus::DataItem>& item) {
    auto* named = dynamic_cast<DataItemAddition*>(item.get());
    return named ? named->getName() : std::string("<unnamed>");
  }
};

}  // namespace quenlora::zafoli::db::beans::binding::testing
