// The collection item and its cursor: members in order, size and value notices, and when the change record of
// members and collection is cleaned up.
#include "quenlora/zafoli/db/beans/binding/MutableCollectionItem.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/DataItemCursor.h"
#include "quenlora/zafoli/db/beans/binding/NewValue.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using databus::DataItem;
using databus::DataItemChangedEvent;
using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;

class Heard : public databus::DataItemChangedListener {
 public:
  void notifyDataItemChanged(const DataItemChangedEvent& event) override {
    types.push_back(event.getChangeType());
    if (then) then(event);
  }
  std::vector<int> types;
  std::function<void(const DataItemChangedEvent&)> then;
};

Ref<DataInput> cell(const std::string& text) {
  auto input = makeRef<DataInput>();
  input->setValue(NewValue(Value(text)));
  input->cleanUp();
  return input;
}

std::vector<std::string> texts(const MutableCollectionItem& collection) {
  std::vector<std::string> out;
  for (const auto& member : collection.getDataItems()) {
    out.push_back(std::dynamic_pointer_cast<DataInput>(member)->getValueAsString().value_or("null"));
  }
  return out;
}

TEST(DataItemCursor, WalksTheLiveListAndStopsAtBothEnds) {
  DataItemCursor empty;
  EXPECT_EQ(empty.getCurrentItem(), nullptr);
  EXPECT_EQ(empty.getNextItem(), nullptr);
  EXPECT_EQ(empty.getPreviousItem(), nullptr);

  auto collection = makeRef<MutableCollectionItem>();
  auto a = cell("a");
  auto b = cell("b");
  collection->addDataItem(a);
  auto cursor = collection->getCursor();
  collection->addDataItem(b);  // added after the cursor was made: seen
  EXPECT_EQ(cursor->getCurrentItem(), a);
  EXPECT_EQ(cursor->getPreviousItem(), nullptr);
  EXPECT_EQ(cursor->getNextItem(), b);
  EXPECT_EQ(cursor->getNextItem(), nullptr);
  EXPECT_EQ(cursor->getCurrentItem(), b);  // stayed on the last member
  EXPECT_EQ(cursor->getPreviousItem(), a);
  cursor->getNextItem();
  cursor->reset();
  EXPECT_EQ(cursor->getCurrentItem(), a);
}

TEST(MutableCollectionItem, InsertsNextToTheCursorAndAlwaysSendsASizeChange) {
  auto collection = makeRef<MutableCollectionItem>("rows");
  auto heard = std::make_shared<Heard>();
  collection->addDataItemChangedListener(heard);
  collection->addDataItem(cell("a"));
  collection->addDataItem(cell("c"));
  auto cursor = collection->getCursor();
  cursor->getNextItem();  // on c
  collection->insertBeforeCursor(*cursor, cell("b"));
  // The cursor keeps its position in the live list, which now holds b there.
  EXPECT_EQ(std::dynamic_pointer_cast<DataInput>(cursor->getCurrentItem())->getValueAsString(), "b");
  cursor->getNextItem();
  collection->insertAfterCursor(*cursor, cell("d"));
  EXPECT_EQ(texts(*collection), (std::vector<std::string>{"a", "b", "c", "d"}));

  // A cursor whose member is not in this collection inserts nothing.
  DataItemCursor stranger(std::make_shared<DataItemList>());
  collection->insertBeforeCursor(stranger, cell("x"));
  auto other = makeRef<MutableCollectionItem>();
  other->addDataItem(cell("y"));
  collection->insertAfterCursor(*other->getCursor(), cell("z"));
  EXPECT_EQ(texts(*collection), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(heard->types, std::vector<int>(6, DataItemChangedEvent::DATA_SIZE_CHANGE));
}

TEST(MutableCollectionItem, RemovesAtTheCursorOrByItem) {
  auto collection = makeRef<MutableCollectionItem>();
  auto a = cell("a");
  auto b = cell("b");
  collection->addDataItem(a);
  collection->addDataItem(b);
  collection->addDataItem(cell("c"));
  auto heard = std::make_shared<Heard>();
  collection->addDataItemChangedListener(heard);
  collection->removeDataItem(b);
  auto cursor = collection->getCursor();
  collection->removeAtCursor(*cursor);
  EXPECT_EQ(texts(*collection), (std::vector<std::string>{"c"}));
  collection->removeDataItem(a);  // no longer a member: nothing removed, the notice goes out
  EXPECT_EQ(heard->types.size(), 3u);
  EXPECT_EQ(collection->getItemCount(), 1);
}

TEST(MutableCollectionItem, AMemberChangeReachesEveryListenerBeforeTheRecordIsCleaned) {
  auto collection = makeRef<MutableCollectionItem>();
  collection->addDataItem(cell("a"));
  auto cursor = collection->getCursor();
  auto b = cell("b");
  collection->insertAfterCursor(*cursor, b);  // inserted members are listened to
  auto first = std::make_shared<Heard>();
  auto second = std::make_shared<Heard>();
  collection->addDataItemChangedListener(first);
  collection->addDataItemChangedListener(second);
  std::vector<int> seen;
  auto look = [&](const DataItemChangedEvent& event) {
    EXPECT_EQ(event.getSource(), collection.get());
    seen.push_back(collection->getStatusFlag());
    seen.push_back(b->getStatusFlag());
    collection->cleanUp();  // what a consumer does when it has written the change
  };
  first->then = look;
  second->then = look;
  b->setValue(NewValue(Value("B")));
  // The first listener's clean-up must leave the record for the second one.
  EXPECT_EQ(seen, (std::vector<int>{DataItemAddition::MODIFIED, DataItemAddition::MODIFIED, DataItemAddition::MODIFIED,
                                    DataItemAddition::MODIFIED}));
  EXPECT_EQ(first->types, (std::vector<int>{DataItemChangedEvent::DATA_VALUE_CHANGE}));
  EXPECT_EQ(collection->getStatusFlag(), DataItemAddition::EXISTING);
  EXPECT_EQ(b->getStatusFlag(), DataItemAddition::EXISTING);
}

TEST(MutableCollectionItem, ACollectionNobodyListensToForgetsItsChanges) {
  auto collection = makeRef<MutableCollectionItem>();
  auto a = cell("a");
  a->setStatusFlag(DataItemAddition::NEW);
  collection->addDataItem(a);
  collection->setStatusFlag(DataItemAddition::NEW);
  collection->cleanUp();
  EXPECT_EQ(collection->getStatusFlag(), DataItemAddition::EXISTING);
  EXPECT_EQ(a->getStatusFlag(), DataItemAddition::EXISTING);
}

TEST(MutableCollectionItem, AMemberOutlivingItsCollectionChangesSafely) {
  auto b = cell("b");
  auto heard = std::make_shared<Heard>();
  {
    auto collection = makeRef<MutableCollectionItem>();
    collection->listenTo(b);
    collection->addDataItemChangedListener(heard);
    b->setValue(NewValue(Value("1")));
    EXPECT_EQ(heard->types.size(), 1u);
  }
  b->setValue(NewValue(Value("2")));  // the collection is gone: nothing to tell
  EXPECT_EQ(heard->types.size(), 1u);
}

TEST(MutableCollectionItem, StopsListeningWhenAsked) {
  auto collection = makeRef<MutableCollectionItem>();
  auto b = cell("b");
  collection->listenTo(b);
  auto heard = std::make_shared<Heard>();
  collection->addDataItemChangedListener(heard);
  collection->stopListeningTo(b);
  b->setValue(NewValue(Value("x")));
  EXPECT_TRUE(heard->types.empty());
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
