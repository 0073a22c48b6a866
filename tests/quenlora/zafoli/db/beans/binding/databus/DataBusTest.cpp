// The data bus: membership, requests answered by the first member that can, announcements to a copy of the
// listeners, and the two event types.
#include "quenlora/zafoli/db/beans/binding/databus/DataBus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/beans/PropertyChangeEvent.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/DataInput.h"
#include "quenlora/zafoli/db/beans/binding/databus/DataItemChangedEvent.h"
#include "quenlora/zafoli/db/beans/binding/databus/InvalidType.h"

namespace quenlora::zafoli::db::beans::binding::databus {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;

// A member that owns the items of its map and records what the bus asks and tells it.
class TestMember : public plat::lang::Object, public DataBusMember, public DataBusEventListener {
 public:
  Ref<DataBus> getDataBus() const override { return bus; }
  void setDataBus(const Ref<DataBus>& b) override {
    ++offered;
    if (veto) {
      throw plat::beans::PropertyVetoException("no", plat::beans::PropertyChangeEvent(this, "DataBus", {}, {}));
    }
    bus = b;
    if (bus) bus->addDataBusEventListener(std::dynamic_pointer_cast<DataBusEventListener>(shared_from_this()));
  }
  void addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}

  void handleDataBusEvent(const DataBusEvent& event) override {
    announcements.push_back(event.getDataItemName());
    announcedItems.push_back(event.getDataItem());
    announcedSources.push_back(event.getSource());
    if (onAnnouncement) onAnnouncement(event);
  }
  void requestDataItem(DataBusEvent& event) override {
    requests.push_back(event.getDataItemName());
    itemWhenAsked.push_back(event.getDataItem());
    if (onRequest) onRequest(event);
    auto it = owned.find(event.getDataItemName());
    if (it != owned.end()) event.setDataItem(it->second);
  }

  Ref<DataBus> bus;
  bool veto = false;
  int offered = 0;
  std::map<std::string, Ref<DataItem>> owned;
  std::vector<std::string> requests;
  std::vector<Ref<DataItem>> itemWhenAsked;
  std::vector<std::string> announcements;
  std::vector<Ref<DataItem>> announcedItems;
  std::vector<plat::lang::Object*> announcedSources;
  std::function<void(const DataBusEvent&)> onAnnouncement;
  std::function<void(DataBusEvent&)> onRequest;
};

// A member that records nothing, so that several threads may ask it at once.
class QuietMember : public plat::lang::Object, public DataBusMember, public DataBusEventListener {
 public:
  QuietMember(std::string name, Ref<DataItem> item) : name_(std::move(name)), item_(std::move(item)) {}
  Ref<DataBus> getDataBus() const override { return nullptr; }
  void setDataBus(const Ref<DataBus>& b) override {
    b->addDataBusEventListener(std::dynamic_pointer_cast<DataBusEventListener>(shared_from_this()));
  }
  void addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
  void handleDataBusEvent(const DataBusEvent&) override {}
  void requestDataItem(DataBusEvent& event) override {
    if (event.getDataItemName() == name_) event.setDataItem(item_);
  }

 private:
  const std::string name_;
  const Ref<DataItem> item_;
};

Ref<DataItem> item(const std::string& name) {
  auto input = makeRef<DataInput>();
  input->setName(name);
  return input;
}

Ref<TestMember> joined(std::map<std::string, Ref<DataItem>> owned = {}) {
  auto member = makeRef<TestMember>();
  member->owned = std::move(owned);
  DataBus::joinDataBus(member);
  return member;
}

class DataBusTest : public ::testing::Test {
 protected:
  void SetUp() override { DataBus::initialize(); }
  void TearDown() override { DataBus::initialize(); }
};

TEST_F(DataBusTest, EveryMemberGetsTheOneBus) {
  auto a = joined();
  auto b = joined();
  ASSERT_NE(a->bus, nullptr);
  EXPECT_EQ(a->bus, b->bus);
}

TEST_F(DataBusTest, ARequestNobodyAnswersGivesNull) {
  auto asker = joined();
  auto owner = joined({{"emp@NAME%1", item("emp@NAME%1")}});
  EXPECT_EQ(asker->bus->findDataItem("dept@NAME%1", asker.get()), nullptr);
  EXPECT_EQ(owner->requests, (std::vector<std::string>{"dept@NAME%1"}));
  EXPECT_EQ(asker->requests.size(), 1u);  // the asker is a member and is asked too
  DataBus::leaveDataBus(asker);
  DataBus::leaveDataBus(owner);
  EXPECT_EQ(asker->bus->findDataItem("emp@NAME%1", asker.get()), nullptr);  // no members at all
}

TEST_F(DataBusTest, TheFirstMemberThatAnswersWinsAndLaterOnesAreNotAsked) {
  auto first = item("first");
  auto consumer = joined();
  auto a = joined({{"emp@NAME%1", first}});
  auto b = joined({{"emp@NAME%1", item("second")}});
  EXPECT_EQ(consumer->bus->findDataItem("emp@NAME%1", consumer.get()), first);
  EXPECT_EQ(a->requests.size(), 1u);
  EXPECT_TRUE(b->requests.empty());
  // The caller's own request event keeps the answer.
  DataBusEvent request(DataBusEvent::DATA_REQUEST, "emp@NAME%1", consumer.get());
  consumer->bus->findDataItem(request);
  EXPECT_EQ(request.getDataItem(), first);
  EXPECT_EQ(request.getSource(), consumer.get());
  EXPECT_TRUE(b->requests.empty());
}

TEST_F(DataBusTest, FindAllAsksEveryMemberOnceAndKeepsTheirOrder) {
  auto one = item("1");
  auto three = item("3");
  auto a = joined({{"x@A", one}});
  auto b = joined();
  auto c = joined({{"x@A", three}});
  auto answers = a->bus->findAllDataItems("x@A", nullptr);
  EXPECT_EQ(answers, (std::vector<Ref<DataItem>>{one, three}));
  EXPECT_EQ(b->requests.size(), 1u);
  EXPECT_EQ(c->requests.size(), 1u);
  // Each member is asked with a clean event: the earlier answer was taken out.
  ASSERT_EQ(b->itemWhenAsked.size(), 1u);
  EXPECT_EQ(b->itemWhenAsked[0], nullptr);
  EXPECT_EQ(c->itemWhenAsked[0], nullptr);
  EXPECT_TRUE(a->bus->findAllDataItems("y@A", nullptr).empty());
}

TEST_F(DataBusTest, JoiningTwiceListsTwiceAndLeavingRemovesOneEntry) {
  auto thing = item("t");
  auto member = joined({{"t@A", thing}});
  DataBus::joinDataBus(member);
  EXPECT_EQ(member->bus->findAllDataItems("t@A", nullptr).size(), 2u);
  DataBus::leaveDataBus(member);
  EXPECT_EQ(member->bus->findAllDataItems("t@A", nullptr).size(), 1u);
  DataBus::leaveDataBus(member);
  EXPECT_TRUE(member->bus->findAllDataItems("t@A", nullptr).empty());
}

TEST_F(DataBusTest, AVetoedMemberIsListedAnyway) {
  auto thing = item("v");
  auto member = makeRef<TestMember>();
  member->veto = true;
  member->owned["v@A"] = thing;
  DataBus::joinDataBus(member);
  EXPECT_EQ(member->offered, 1);
  EXPECT_EQ(member->bus, nullptr);
  auto other = joined();
  EXPECT_EQ(other->bus->findDataItem("v@A", other.get()), thing);
}

TEST_F(DataBusTest, MembersThatAreNoListenersAreSkipped) {
  class Silent : public DataBusMember {
   public:
    Ref<DataBus> getDataBus() const override { return bus; }
    void setDataBus(const Ref<DataBus>& b) override { bus = b; }
    void addVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
    void removeVetoableChangeListener(const Ref<plat::beans::VetoableChangeListener>&) override {}
    Ref<DataBus> bus;
  };
  auto silent = std::make_shared<Silent>();
  DataBus::joinDataBus(silent);
  auto thing = item("s");
  auto owner = joined({{"s@A", thing}});
  EXPECT_EQ(owner->bus->findDataItem("s@A", nullptr), thing);
}

TEST_F(DataBusTest, AnnouncementsCarryNoItemAndReachTheListenersOfTheMoment) {
  auto a = joined();
  auto b = joined();
  auto late = makeRef<TestMember>();
  // a registers late while the announcement runs; b leaves as listener while it runs.
  a->onAnnouncement = [&](const DataBusEvent&) { a->bus->addDataBusEventListener(late); };
  b->onAnnouncement = [&](const DataBusEvent&) { b->bus->removeDataBusEventListener(b); };
  auto provider = makeRef<TestMember>();
  a->bus->announceDataItem(DataBusEvent(DataBusEvent::DATA_AVAILABLE, "emp@ID%1", provider.get(), item("x")));
  EXPECT_EQ(a->announcements, (std::vector<std::string>{"emp@ID%1"}));
  EXPECT_EQ(b->announcements, (std::vector<std::string>{"emp@ID%1"}));
  EXPECT_TRUE(late->announcements.empty());
  ASSERT_EQ(a->announcedItems.size(), 1u);
  EXPECT_EQ(a->announcedItems[0], nullptr);
  EXPECT_EQ(a->announcedSources[0], provider.get());

  a->onAnnouncement = nullptr;
  a->bus->announceDataItem(DataBusEvent(DataBusEvent::DATA_REVOKED, "emp", provider.get()));
  EXPECT_EQ(a->announcements.size(), 2u);
  EXPECT_EQ(b->announcements.size(), 1u);  // no longer a listener
  EXPECT_EQ(late->announcements, (std::vector<std::string>{"emp"}));
}

TEST_F(DataBusTest, InitializeStartsAFreshBusWithoutMembersOrListeners) {
  auto old = joined({{"o@A", item("o")}});
  Ref<DataBus> oldBus = old->bus;
  DataBus::initialize();
  auto fresh = joined();
  ASSERT_NE(fresh->bus, nullptr);
  EXPECT_NE(fresh->bus, oldBus);
  EXPECT_EQ(fresh->bus->findDataItem("o@A", fresh.get()), nullptr);
  EXPECT_TRUE(old->requests.empty());
  fresh->bus->announceDataItem(DataBusEvent(DataBusEvent::DATA_AVAILABLE, "n@A", nullptr));
  EXPECT_TRUE(old->announcements.empty());
  EXPECT_EQ(fresh->announcements.size(), 1u);
}

TEST_F(DataBusTest, MembersMayJoinAndLeaveWhileTheyAreAsked) {
  auto thing = item("j");
  auto newcomer = makeRef<TestMember>();
  newcomer->owned["j@A"] = thing;
  auto a = joined();
  a->onRequest = [&](DataBusEvent&) {
    DataBus::leaveDataBus(a);
    DataBus::joinDataBus(newcomer);
  };
  // The walk in progress goes on over the members of its start; the newcomer answers the next request.
  EXPECT_EQ(a->bus->findDataItem("j@A", a.get()), nullptr);
  EXPECT_TRUE(newcomer->requests.empty());
  a->onRequest = nullptr;
  EXPECT_EQ(a->bus->findDataItem("j@A", a.get()), thing);
  EXPECT_EQ(a->requests.size(), 1u);
}

TEST_F(DataBusTest, DebugWritesOneLinePerAnnouncement) {
  auto a = joined();
  a->bus->setDebug(true);
  EXPECT_TRUE(a->bus->getDebug());
  plat::lang::ConsoleCapture err(plat::lang::ConsoleCapture::Target::kErr);
  a->bus->announceDataItem(DataBusEvent(DataBusEvent::DATA_REVOKED, "emp", nullptr));
  a->bus->setDebug(false);
  a->bus->announceDataItem(DataBusEvent(DataBusEvent::DATA_REVOKED, "emp", nullptr));
  EXPECT_EQ(err.text(),
            "Event type pressed: 1 , for the data item: emp from: "
            "quenlora.zafoli.db.beans.binding.databus.DataBusEvent[source=null]\n");
}

TEST_F(DataBusTest, EventTypesOutsideTheirRangeAreRefused) {
  for (int type : {-1, 3}) {
    EXPECT_THROW(DataBusEvent(type, "x", nullptr), InvalidType);
    EXPECT_THROW(DataItemChangedEvent(type, nullptr), InvalidType);
  }
  try {
    DataItemChangedEvent(3, nullptr);
    FAIL();
  } catch (const InvalidType& refused) {
    EXPECT_EQ(refused.getMessage(), "The type in the constructor is not valid. ");
    EXPECT_EQ(refused.toString(), "InvalidType");
  }
  DataItemChangedEvent deleted(DataItemChangedEvent::DATA_DELETED, nullptr);
  EXPECT_EQ(deleted.getChangeType(), 2);
  DataBusEvent request(DataBusEvent::DATA_REQUEST, "emp@A", nullptr);
  EXPECT_EQ(request.getEventType(), 2);
  EXPECT_EQ(request.getDataItem(), nullptr);
}

TEST_F(DataBusTest, ConcurrentRequestsJoinsAndLeavesStayConsistent) {
  auto thing = item("c");
  auto owner = makeRef<QuietMember>("c@A", thing);
  DataBus::joinDataBus(owner);
  auto anchor = joined();
  Ref<DataBus> bus = anchor->bus;
  DataBus::leaveDataBus(anchor);
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 3; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 2000; ++i) {
        if (bus->findDataItem("c@A", nullptr) != thing) ++wrong;
      }
    });
  }
  threads.emplace_back([&] {
    for (int i = 0; i < 500; ++i) {
      auto passer = makeRef<QuietMember>("p@A", thing);
      DataBus::joinDataBus(passer);
      bus->removeDataBusEventListener(passer);
      DataBus::leaveDataBus(passer);
    }
  });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::databus
