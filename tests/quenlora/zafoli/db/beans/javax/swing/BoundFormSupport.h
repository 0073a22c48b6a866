// Shared arrangement of the data-bound model tests: a fresh data bus per test and in-memory sources published under
// an alias by their own provider mediators, as a form's navigators would publish them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/lang/Object.h"
#include "quenlora/zafoli/db/beans/binding/Mediator.h"
#include "quenlora/zafoli/db/beans/binding/MediatorDS.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"
#include "testkit/beans/MemoryDataSource.h"

namespace quenlora::zafoli::db::beans::javax::swing::testing {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testkit::beans::MemoryDataSource;

struct Source {
  Ref<MemoryDataSource> data;
  Ref<binding::MediatorDS> mediator;
};

class BoundFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    binding::databus::DataBus::initialize();
    binding::Mediator::notifyOnStatic.store(false);
    binding::Mediator::notifySizeOnStatic.store(true);
  }
  void TearDown() override { binding::databus::DataBus::initialize(); }

  static Source publish(const std::string& alias, std::vector<std::string> columns,
                        std::vector<MemoryDataSource::Row> rows) {
    Source s;
    s.data = makeRef<MemoryDataSource>(std::move(columns), std::move(rows));
    s.mediator = makeRef<binding::MediatorDS>();
    s.mediator->setOutput(s.data);
    s.mediator->setSetMethods({binding::MediatorDS::SourceSetDescriptor});
    s.mediator->setGetMethods({binding::MediatorDS::SourceGetDescriptor});
    s.data->publish(alias, true);
    return s;
  }

  static std::vector<MemoryDataSource::Row> people() {
    return {{Value(1), Value("Ann"), Value("Y")},
            {Value(2), Value("Bob"), Value("N")},
            {Value(3), Value("Cy"), Value("Y")}};
  }
};

}  // namespace quenlora::zafoli::db::beans::javax::swing::testing
