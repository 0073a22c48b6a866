#include "platform/beans/VetoableChangeSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plat::beans {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

class Voter : public VetoableChangeListener {
 public:
  Voter(std::string tag, bool refuses, std::vector<std::string>& log)
      : tag_(std::move(tag)), refuses_(refuses), log_(log) {}
  void vetoableChange(const PropertyChangeEvent& e) override {
    log_.push_back(tag_ + ":" + e.getOldValue().toString() + "->" + e.getNewValue().toString());
    // A refusing voter refuses only the proposed change, not going back.
    if (refuses_ && e.getNewValue().equals(Value("new"))) throw PropertyVetoException(tag_ + " says no", e);
  }

 private:
  std::string tag_;
  bool refuses_;
  std::vector<std::string>& log_;
};

struct Bean : plat::lang::Object {};

TEST(VetoableChangeSupport, AcceptedChangeAsksEveryListenerOnce) {
  Bean bean;
  VetoableChangeSupport support(&bean);
  std::vector<std::string> log;
  support.addVetoableChangeListener(makeRef<Voter>("a", false, log));
  support.addVetoableChangeListener("DataBus", makeRef<Voter>("b", false, log));
  support.fireVetoableChange("DataBus", Value("old"), Value("new"));
  EXPECT_EQ(log, (std::vector<std::string>{"a:old->new", "b:old->new"}));
}

TEST(VetoableChangeSupport, AVetoRevertsTheListenersAskedBeforeAndIsThrownOn) {
  Bean bean;
  VetoableChangeSupport support(&bean);
  std::vector<std::string> log;
  support.addVetoableChangeListener(makeRef<Voter>("first", false, log));
  support.addVetoableChangeListener(makeRef<Voter>("vetoer", true, log));
  support.addVetoableChangeListener(makeRef<Voter>("never", false, log));
  try {
    support.fireVetoableChange("connectionClosed", Value("old"), Value("new"));
    FAIL() << "no veto";
  } catch (const PropertyVetoException& veto) {
    EXPECT_EQ(veto.getClassName(), "java.beans.PropertyVetoException");
    EXPECT_EQ(veto.getMessage(), "vetoer says no");
    EXPECT_EQ(veto.getPropertyChangeEvent().getPropertyName(), "connectionClosed");
    EXPECT_EQ(veto.getPropertyChangeEvent().getSource(), &bean);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"first:old->new", "vetoer:old->new", "first:new->old"}));
}

TEST(VetoableChangeSupport, EqualValuesAreNotProposed) {
  Bean bean;
  VetoableChangeSupport support(&bean);
  std::vector<std::string> log;
  support.addVetoableChangeListener(makeRef<Voter>("vetoer", true, log));
  EXPECT_NO_THROW(support.fireVetoableChange("p", Value("new"), Value("new")));
  EXPECT_TRUE(log.empty());
  EXPECT_THROW(support.fireVetoableChange("p", Value(), Value("new")), PropertyVetoException);
}

TEST(VetoableChangeSupport, TheVetoSurvivesRethrowWithItsEvent) {
  Bean bean;
  PropertyVetoException veto("no", PropertyChangeEvent(&bean, "p", Value(1), Value(2)));
  auto stored = veto.clone();
  try {
    stored->raise();
  } catch (const PropertyVetoException& caught) {
    EXPECT_TRUE(caught.getPropertyChangeEvent().getNewValue().equals(Value(2)));
  }
}

}  // namespace
}  // namespace plat::beans
