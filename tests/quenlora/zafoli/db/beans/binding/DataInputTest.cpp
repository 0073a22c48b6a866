// The one-value item: when a new value counts as a change, and who hears of it.
#include "quenlora/zafoli/db/beans/binding/DataInput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/lang/System.h"
#include "platform/math/Decimal.h"
#include "platform/time/Date.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"
#include "quenlora/zafoli/db/beans/util/LocalizedValueGenerator.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using databus::DataItemChangedEvent;
using plat::lang::makeRef;
using plat::lang::Value;
using plat::math::Decimal;

class Heard : public databus::DataItemChangedListener {
 public:
  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    sources.push_back(event.getSource());
    types.push_back(event.getChangeType());
    if (then) then();
  }
  std::vector<plat::lang::Object*> sources;
  std::vector<int> types;
  std::function<void()> then;
};

struct Change {
  const char* what;
  Value held;
  Value given;
  bool changes;
};

TEST(DataInput, WhatCountsAsAChange) {
  const Change cases[] = {
      {"1.50 over 1.5", Value(Decimal::parse("1.5")), Value(Decimal::parse("1.50")), false},
      {"decimal 1.5 over double 1.5", Value(1.5), Value(Decimal::parse("1.5")), false},
      {"int 1 over long 1", Value(1LL), Value(1), false},
      {"decimals that show alike", Value(Decimal::parse("1.000000001")), Value(Decimal::parse("1.000000002")), true},
      {"doubles that show alike", Value(1.000000001), Value(1.000000002), true},
      {"0.1 + 0.2 over 0.3", Value(0.3), Value(0.1 + 0.2), true},
      {"equal doubles", Value(2.25), Value(2.25), false},
      {"NaN over NaN", Value(0.0 / 0.0), Value(0.0 / 0.0), false},
      {"infinity over 1", Value(1.0), Value(1.0 / 0.0), true},
      {"negative zero over zero", Value(0.0), Value(-0.0), false},
      {"float 0.1 over double 0.1", Value(0.1), Value(0.1f), false},
      {"neighbouring floats", Value(1.0f), Value(std::nextafter(1.0f, 2.0f)), true},
      {"longs beyond a double's precision", Value(INT64_MAX), Value(INT64_MAX - 1), true},
      {"decimal 2 over int 2", Value(2), Value(Decimal::parse("2.00")), false},
      {"same date", Value(plat::time::Date(2024, 3, 15)), Value(plat::time::Date(2024, 3, 15)), false},
      {"other date", Value(plat::time::Date(2024, 3, 15)), Value(plat::time::Date(2024, 3, 16)), true},
      {"other text", Value("a"), Value("b"), true},
      {"same text", Value("a"), Value("a"), false},
      {"null over empty text", Value(""), Value(), false},
      {"null over text", Value("x"), Value(), true},
      {"null over null", Value(), Value(), false},
      {"value over null", Value(), Value(0), true},
      {"empty text over null", Value(), Value(""), true},
  };
  for (const Change& c : cases) {
    SCOPED_TRACE(c.what);
    auto item = makeRef<DataInput>();
    item->setValue(NewValue(c.held));
    item->cleanUp();
    auto heard = std::make_shared<Heard>();
    item->addDataItemChangedListener(heard);
    item->setValue(NewValue(c.given));
    EXPECT_EQ(heard->types.size(), c.changes ? 1u : 0u);
    EXPECT_EQ(item->getStatusFlag(), c.changes ? DataItemAddition::MODIFIED : DataItemAddition::EXISTING);
    EXPECT_TRUE(item->getValueAsObject().equals(c.changes ? c.given : c.held));
  }
}

TEST(DataInput, NumbersThatShowAlikeDifferInValue) {
  // The reason numbers are compared by value: the display text of these two is the same.
  auto shown = [](const Value& v) { return util::LocalizedValueGenerator::formatValue(v, true).toString(); };
  EXPECT_EQ(shown(Value(1.000000001)), shown(Value(1.000000002)));
}

TEST(DataInput, TellsEveryListenerWithItselfAsSource) {
  auto item = makeRef<DataInput>("emp@NAME%1", GridSize{1, 1});
  EXPECT_EQ(item->getName(), "emp@NAME%1");
  auto first = std::make_shared<Heard>();
  auto second = std::make_shared<Heard>();
  auto late = std::make_shared<Heard>();
  item->addDataItemChangedListener(first);
  item->addDataItemChangedListener(second);
  // A listener may change the list while it is told; the change counts from the next notice.
  first->then = [&] {
    item->removeDataItemChangedListener(second);
    item->addDataItemChangedListener(late);
  };
  item->setValue(NewValue(Value("Smith")));
  EXPECT_EQ(first->sources, (std::vector<plat::lang::Object*>{item.get()}));
  EXPECT_EQ(first->types, (std::vector<int>{DataItemChangedEvent::DATA_VALUE_CHANGE}));
  EXPECT_EQ(second->types.size(), 1u);
  EXPECT_TRUE(late->types.empty());
  first->then = nullptr;
  item->notifyDataChanged();
  EXPECT_EQ(second->types.size(), 1u);
  EXPECT_EQ(late->types.size(), 1u);
}

TEST(DataInput, TextForms) {
  DataInput item;
  EXPECT_FALSE(item.getValueAsString().has_value());
  EXPECT_EQ(item.getPresentationString(), "String");
  item.setValue(NewValue(Value(2.0)));
  EXPECT_EQ(item.getValueAsString(), "2.0");
  NewValue wrapped(Value(7));
  EXPECT_EQ(wrapped.getValueAsString(), "7");
  EXPECT_EQ(wrapped.getPresentationString(), "String");
  EXPECT_FALSE(NewValue(Value()).getValueAsString().has_value());
  // An item may take its own value: nothing changes and nothing locks up.
  item.setValue(item);
  EXPECT_EQ(item.getValueAsObject(), Value(2.0));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
