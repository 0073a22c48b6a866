#include "platform/beans/PropertyChangeSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "platform/beans/Beans.h"
#include "platform/lang/Exceptions.h"

namespace plat::beans {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

// Appends "<tag>:<property>:<old>-><new>" for each event it receives and then runs an optional action.
class Recorder : public plat::lang::Object, public PropertyChangeListener {
 public:
  Recorder(std::string tag, std::vector<std::string>& log) : tag_(std::move(tag)), log_(log) {}
  void propertyChange(const PropertyChangeEvent& e) override {
    log_.push_back(tag_ + ":" + e.getPropertyName() + ":" + e.getOldValue().toString() + "->" +
                   e.getNewValue().toString());
    if (action) action();
  }
  std::function<void()> action;

 private:
  std::string tag_;
  std::vector<std::string>& log_;
};

struct Bean : plat::lang::Object {};

TEST(PropertyChangeSupport, EqualNonNullValuesAreNotAnnounced) {
  struct Case {
    const char* what;
    Value oldValue;
    Value newValue;
    bool fires;
  };
  const Case cases[] = {
      {"null to null", Value(), Value(), true},
      {"null to text", Value(), Value("a"), true},
      {"text to null", Value("a"), Value(), true},
      {"same text", Value("a"), Value(std::string("a")), false},
      {"other text", Value("a"), Value("b"), true},
      {"Int 1 to Int 1", Value(1), Value(1), false},
      {"Int 1 to Long 1", Value(1), Value(1L), true},
      {"Boolean false to false", Value(false), Value(false), false},
      {"Double NaN to NaN", Value(std::nan("")), Value(std::nan("")), false},
      {"Double 0.0 to -0.0", Value(0.0), Value(-0.0), true},
      {"Decimal 2.0 to 2.00", Value(plat::math::Decimal("2.0")), Value(plat::math::Decimal("2.00")), true},
  };
  Bean bean;
  PropertyChangeSupport support(&bean);
  std::vector<std::string> log;
  support.addPropertyChangeListener(makeRef<Recorder>("all", log));
  for (const auto& c : cases) {
    log.clear();
    support.firePropertyChange("p", c.oldValue, c.newValue);
    EXPECT_EQ(log.size(), c.fires ? 1u : 0u) << c.what;
    log.clear();
    support.firePropertyChange(PropertyChangeEvent(&bean, "p", c.oldValue, c.newValue));
    EXPECT_EQ(log.size(), c.fires ? 1u : 0u) << c.what << " (event form)";
  }
}

TEST(PropertyChangeSupport, ListenersOfEveryPropertyComeFirstThenThoseOfTheProperty) {
  Bean bean;
  PropertyChangeSupport support(&bean);
  std::vector<std::string> log;
  support.addPropertyChangeListener("name", makeRef<Recorder>("named1", log));
  support.addPropertyChangeListener(makeRef<Recorder>("all1", log));
  support.addPropertyChangeListener("other", makeRef<Recorder>("other", log));
  support.addPropertyChangeListener("name", makeRef<Recorder>("named2", log));
  support.addPropertyChangeListener(makeRef<Recorder>("all2", log));
  support.firePropertyChange("name", Value("old"), Value("new"));
  EXPECT_EQ(log, (std::vector<std::string>{"all1:name:old->new", "all2:name:old->new", "named1:name:old->new",
                                           "named2:name:old->new"}));
}

TEST(PropertyChangeSupport, TheEventNamesTheSource) {
  Bean bean;
  PropertyChangeSupport support(&bean);
  struct Catcher : PropertyChangeListener {
    plat::lang::Object* source = nullptr;
    void propertyChange(const PropertyChangeEvent& e) override { source = e.getSource(); }
  };
  auto catcher = makeRef<Catcher>();
  support.addPropertyChangeListener(catcher);
  support.firePropertyChange("debug", false, true);
  EXPECT_EQ(catcher->source, &bean);
}

TEST(PropertyChangeSupport, ChangesToTheListDuringFiringCountFromTheNextChange) {
  Bean bean;
  PropertyChangeSupport support(&bean);
  std::vector<std::string> log;
  auto first = makeRef<Recorder>("first", log);
  auto second = makeRef<Recorder>("second", log);
  auto late = makeRef<Recorder>("late", log);
  first->action = [&] {
    support.removePropertyChangeListener(second);
    support.addPropertyChangeListener(late);
    first->action = nullptr;
  };
  support.addPropertyChangeListener(first);
  support.addPropertyChangeListener(second);
  support.firePropertyChange("p", 1, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"first:p:1->2", "second:p:1->2"}));
  log.clear();
  support.firePropertyChange("p", 2, 3);
  EXPECT_EQ(log, (std::vector<std::string>{"first:p:2->3", "late:p:2->3"}));
}

TEST(PropertyChangeSupport, DuplicatesAreCalledTwiceAndRemovedOneAtATime) {
  Bean bean;
  PropertyChangeSupport support(&bean);
  std::vector<std::string> log;
  auto listener = makeRef<Recorder>("l", log);
  support.addPropertyChangeListener(listener);
  support.addPropertyChangeListener(listener);
  support.addPropertyChangeListener(nullptr);
  EXPECT_EQ(support.getPropertyChangeListeners().size(), 2u);
  support.firePropertyChange("p", 1, 2);
  EXPECT_EQ(log.size(), 2u);
  support.removePropertyChangeListener(listener);
  log.clear();
  support.firePropertyChange("p", 1, 2);
  EXPECT_EQ(log.size(), 1u);
  support.removePropertyChangeListener("p", listener);  // not registered under that name: nothing happens
  EXPECT_EQ(support.getPropertyChangeListeners().size(), 1u);
}

TEST(PropertyChangeSupport, HasListenersSeesCommonAndNamedLists) {
  Bean bean;
  PropertyChangeSupport support(&bean);
  std::vector<std::string> log;
  EXPECT_FALSE(support.hasListeners("close"));
  auto listener = makeRef<Recorder>("l", log);
  support.addPropertyChangeListener("close", listener);
  EXPECT_TRUE(support.hasListeners("close"));
  EXPECT_FALSE(support.hasListeners("open"));
  EXPECT_EQ(support.getPropertyChangeListeners("close").size(), 1u);
  EXPECT_TRUE(support.getPropertyChangeListeners().empty());
  support.addPropertyChangeListener(listener);
  EXPECT_TRUE(support.hasListeners("open"));
}

TEST(PropertyChangeSupport, NullSourceIsRefused) {
  EXPECT_THROW(PropertyChangeSupport(nullptr), plat::lang::NullPointerException);
  EXPECT_THROW(PropertyChangeEvent(nullptr, "p", Value(), Value()), plat::lang::IllegalArgumentException);
}

TEST(Beans, DesignTimeIsAProcessWideSwitch) {
  EXPECT_FALSE(Beans::isDesignTime());
  Beans::setDesignTime(true);
  EXPECT_TRUE(Beans::isDesignTime());
  Beans::setDesignTime(false);
  EXPECT_FALSE(Beans::isDesignTime());
}

}  // namespace
}  // namespace plat::beans
