// The ready-made member model: its five bound properties, lazily made change supports and the copy constructor.
#include "quenlora/zafoli/db/beans/binding/DefaultPersistentObjectMemberModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/beans/PropertyVetoException.h"
#include "platform/sql/Types.h"

namespace quenlora::zafoli::db::beans::binding {
namespace {

using plat::lang::Value;

class Recorder : public plat::beans::PropertyChangeListener {
 public:
  void propertyChange(const plat::beans::PropertyChangeEvent& event) override {
    seen.push_back(event.getPropertyName() + ":" + event.getOldValue().toString() + "->" +
                   event.getNewValue().toString());
    sources.push_back(event.getSource());
  }
  std::vector<std::string> seen;
  std::vector<plat::lang::Object*> sources;
};

class Refuser : public plat::beans::VetoableChangeListener {
 public:
  void vetoableChange(const plat::beans::PropertyChangeEvent& event) override {
    throw plat::beans::PropertyVetoException("no", event);
  }
};

// Lets a test reach the protected veto call that no setter makes.
class AskingModel : public DefaultPersistentObjectMemberModel {
 public:
  using DefaultPersistentObjectMemberModel::fireVetoableChange;
};

TEST(DefaultPersistentObjectMemberModel, StartsEmpty) {
  DefaultPersistentObjectMemberModel model;
  EXPECT_EQ(model.getName(), "");
  EXPECT_EQ(model.getIndex(), 0);
  EXPECT_EQ(model.getType(), 0);
  EXPECT_EQ(model.getDataType(), 0);
  EXPECT_FALSE(model.isWritable());
}

TEST(DefaultPersistentObjectMemberModel, EachSetterStoresThenAnnouncesOldAndNew) {
  auto model = plat::lang::makeRef<DefaultPersistentObjectMemberModel>();
  auto recorder = plat::lang::makeRef<Recorder>();
  model->addPropertyChangeListener(recorder);
  model->setName("NAME");
  model->setIndex(3);
  model->setType(2);
  model->setDataType(plat::sql::Types::VARCHAR);
  model->setWritable(true);
  model->setIndex(3);  // unchanged: not announced
  EXPECT_EQ(recorder->seen, (std::vector<std::string>{"name:->NAME", "index:0->3", "type:0->2",
                                                      "dataType:0->" + std::to_string(plat::sql::Types::VARCHAR),
                                                      "writable:false->true"}));
  for (auto* source : recorder->sources) EXPECT_EQ(source, model.get());
  EXPECT_EQ(model->getName(), "NAME");
  EXPECT_TRUE(model->isWritable());
}

TEST(DefaultPersistentObjectMemberModel, RemovalBeforeAnyRegistrationDoesNothing) {
  DefaultPersistentObjectMemberModel model;
  auto recorder = plat::lang::makeRef<Recorder>();
  model.removePropertyChangeListener(recorder);
  model.removeVetoableChangeListener(plat::lang::makeRef<Refuser>());
  model.setName("x");
  model.addPropertyChangeListener(recorder);
  model.removePropertyChangeListener(recorder);
  model.setName("y");
  EXPECT_TRUE(recorder->seen.empty());
  EXPECT_EQ(model.getName(), "y");
}

TEST(DefaultPersistentObjectMemberModel, CopyTakesTheValuesAndLeavesTheSourceAndItsListenersAlone) {
  DefaultPersistentObjectMemberModel source;
  source.setName("SALARY");
  source.setIndex(4);
  source.setType(7);
  source.setDataType(plat::sql::Types::DECIMAL);
  source.setWritable(true);
  auto recorder = plat::lang::makeRef<Recorder>();
  source.addPropertyChangeListener(recorder);

  DefaultPersistentObjectMemberModel copy(source);
  EXPECT_EQ(copy.getName(), "SALARY");
  EXPECT_EQ(copy.getIndex(), 4);
  EXPECT_EQ(copy.getType(), 7);
  EXPECT_EQ(copy.getDataType(), plat::sql::Types::DECIMAL);
  EXPECT_TRUE(copy.isWritable());
  copy.setName("OTHER");
  EXPECT_EQ(source.getName(), "SALARY");
  EXPECT_TRUE(recorder->seen.empty()) << "the copy does not share the source's listeners";
}

TEST(DefaultPersistentObjectMemberModel, SettersAskNoVetoButTheProtectedCallDoes) {
  AskingModel model;
  model.addVetoableChangeListener(plat::lang::makeRef<Refuser>());
  model.setName("free");
  EXPECT_EQ(model.getName(), "free");
  EXPECT_THROW(model.fireVetoableChange("name", Value("free"), Value("other")), plat::beans::PropertyVetoException);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding
