// How listeners are called: in registration order on the same event, on a snapshot taken when the firing starts,
// and what happens to what a listener throws for each event kind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/lang/Exceptions.h"
#include "platform/lang/System.h"
#include "quenlora/zafoli/db/beans/binding/ExceptionEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/ColumnDataEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordNavigateEventSupport.h"
#include "quenlora/zafoli/db/beans/binding/event/RecordSaveEventSupport.h"

namespace quenlora::zafoli::db::beans::binding::event {
namespace {

using plat::lang::ConsoleCapture;
using plat::lang::makeRef;
using plat::lang::Value;

// One listener of every kind: records "name.operation" in a shared journal and runs an optional action.
class Probe : public ColumnDataEventListener,
              public RecordNavigateEventListener,
              public RecordSaveEventListener,
              public ExceptionEventListener {
 public:
  Probe(std::string name, std::vector<std::string>& journal) : name_(std::move(name)), journal_(journal) {}

  std::function<void()> action;
  std::vector<const plat::lang::Object*> events;
  std::vector<ExceptionEvent> received;

  void onAfterColumnDataChange(const ColumnDataEvent& e) override { note("afterColumn", e); }
  void onBeforeColumnDataChange(const ColumnDataEvent& e) override { note("beforeColumn", e); }
  void onAfterRecordNavigate(const RecordNavigateEvent& e) override { note("afterNavigate", e); }
  void onBeforeRecordNavigate(const RecordNavigateEvent& e) override { note("beforeNavigate", e); }
  void onBoundaryRecord(const RecordNavigateEvent& e) override { note("boundary", e); }
  void onAfterRecordSave(const RecordSaveEvent& e) override { note("afterSave", e); }
  void onBeforeRecordSave(const RecordSaveEvent& e) override { note("beforeSave", e); }
  void handleExceptionEvent(const ExceptionEvent& e) override {
    received.push_back(e);
    note("exception", e);
  }

 private:
  void note(const char* what, const plat::lang::Object& e) {
    journal_.push_back(name_ + "." + what);
    events.push_back(&e);
    if (action) action();
  }
  std::string name_;
  std::vector<std::string>& journal_;
};

struct Listeners {
  std::vector<std::string> journal;
  plat::lang::Ref<Probe> a = makeRef<Probe>("a", journal);
  plat::lang::Ref<Probe> b = makeRef<Probe>("b", journal);
  plat::lang::Ref<Probe> c = makeRef<Probe>("c", journal);
};

TEST(CallingRules, ColumnDataListenerThatThrowsStopsTheLaterOnesAndPrintsItsMessage) {
  plat::lang::Object source;
  Listeners l;
  ColumnDataEventSupport support;
  for (auto& p : {l.a, l.b, l.c}) support.addColumnDataEventListener(p);
  l.b->action = [] { throw plat::lang::IllegalStateException("rule failed"); };
  const ColumnDataEvent event(&source, 0, 1, Value("x"), Value("y"), ColumnDataEvent::COLUMN_CHANGED);

  ConsoleCapture out;
  support.fireBeforeColumnDataChange(event);
  support.fireAfterColumnDataChange(event);

  EXPECT_EQ(l.journal,
            (std::vector<std::string>{"a.beforeColumn", "b.beforeColumn", "a.afterColumn", "b.afterColumn"}));
  EXPECT_EQ(out.text(), "rule failed\nrule failed\n");
}

TEST(CallingRules, BeforeRecordSaveStopsAtTheFirstFailureAndAfterRecordSavePassesItOn) {
  plat::lang::Object source;
  Listeners l;
  RecordSaveEventSupport support;
  for (auto& p : {l.a, l.b, l.c}) support.addRecordSaveEventListener(p);
  l.a->action = [] { throw plat::lang::RuntimeException("veto?"); };
  const RecordSaveEvent event(&source, RecordSaveEvent::RECORD_SAVE_ONE, 1);

  ConsoleCapture out;
  EXPECT_NO_THROW(support.fireBeforeRecordSave(event));
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.beforeSave"}));
  EXPECT_EQ(out.text(), "veto?\n");

  l.journal.clear();
  try {
    support.fireAfterRecordSave(event);
    FAIL() << "the after-save failure must reach the caller";
  } catch (const plat::lang::RuntimeException& e) {
    EXPECT_EQ(e.getMessage(), "veto?");
  }
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.afterSave"}));
}

TEST(CallingRules, NavigationListenerThatThrowsStopsNeitherTheOthersNorTheFiring) {
  plat::lang::Object source;
  Listeners l;
  RecordNavigateEventSupport support;
  for (auto& p : {l.a, l.b, l.c}) support.addRecordNavigateEventListener(p);
  l.a->action = [] { throw plat::lang::NullPointerException(); };
  l.b->action = [] { throw std::runtime_error("plain C++ failure"); };
  const RecordNavigateEvent event(&source, RecordNavigateEvent::RECORD_NAVIGATION_NEXT, 1);

  ConsoleCapture out;
  support.fireBeforeRecordNavigate(event);
  support.fireBoundaryRecord(event);
  support.fireAfterRecordNavigate(event);
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.beforeNavigate", "b.beforeNavigate", "c.beforeNavigate",
                                                 "a.boundary", "b.boundary", "c.boundary", "a.afterNavigate",
                                                 "b.afterNavigate", "c.afterNavigate"}));
  EXPECT_EQ(out.text(), "") << "ignored failures print nothing";
}

TEST(CallingRules, AnErrorIsNeverSwallowed) {
  plat::lang::Object source;
  Listeners l;
  ColumnDataEventSupport columns;
  RecordNavigateEventSupport navigation;
  columns.addColumnDataEventListener(l.a);
  navigation.addRecordNavigateEventListener(l.a);
  l.a->action = [] { throw plat::lang::OutOfMemoryError("heap"); };
  EXPECT_THROW(columns.fireBeforeColumnDataChange(ColumnDataEvent(&source, 0, 0, Value(), Value(), 0)),
               plat::lang::OutOfMemoryError);
  EXPECT_THROW(navigation.fireBoundaryRecord(RecordNavigateEvent(&source, 8)), plat::lang::OutOfMemoryError);
}

TEST(CallingRules, EveryListenerGetsTheSameEventObject) {
  plat::lang::Object source;
  Listeners l;
  RecordNavigateEventSupport support;
  support.addRecordNavigateEventListener(l.a);
  support.addRecordNavigateEventListener(l.b);
  const RecordNavigateEvent event(&source, RecordNavigateEvent::RECORD_BOUNDARY_FIRST);
  support.fireBoundaryRecord(event);
  ASSERT_EQ(l.a->events.size(), 1u);
  EXPECT_EQ(l.a->events[0], &event);
  EXPECT_EQ(l.b->events[0], &event);
}

TEST(CallingRules, ChangesDuringAFiringTakeEffectFromTheNextOne) {
  plat::lang::Object source;
  Listeners l;
  ColumnDataEventSupport support;
  support.addColumnDataEventListener(l.a);
  support.addColumnDataEventListener(l.b);
  // a removes b and adds c while being called: b still hears this firing, c does not.
  l.a->action = [&] {
    support.removeColumnDataEventListener(l.b);
    support.addColumnDataEventListener(l.c);
    l.a->action = nullptr;
  };
  const ColumnDataEvent event(&source, 0, 0, Value(), Value(), 0);
  support.fireAfterColumnDataChange(event);
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.afterColumn", "b.afterColumn"}));
  l.journal.clear();
  support.fireAfterColumnDataChange(event);
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.afterColumn", "c.afterColumn"}));
}

TEST(CallingRules, DuplicatesAreCalledTwiceAndRemovalTakesTheFirst) {
  plat::lang::Object source;
  Listeners l;
  RecordSaveEventSupport support;
  support.addRecordSaveEventListener(l.a);
  support.addRecordSaveEventListener(l.b);
  support.addRecordSaveEventListener(l.a);
  support.addRecordSaveEventListener(nullptr);
  support.fireBeforeRecordSave(RecordSaveEvent(&source));
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.beforeSave", "b.beforeSave", "a.beforeSave"}));
  support.removeRecordSaveEventListener(l.a);
  l.journal.clear();
  support.fireBeforeRecordSave(RecordSaveEvent(&source));
  EXPECT_EQ(l.journal, (std::vector<std::string>{"b.beforeSave", "a.beforeSave"}));
}

TEST(ExceptionEventSupport, ListenersReceiveOneCopyWithoutTheFailureObject) {
  plat::lang::Object source;
  Listeners l;
  ExceptionEventSupport support;
  support.addExceptionEventListener(l.a);
  support.addExceptionEventListener(l.b);
  const ExceptionEvent original(ExceptionEvent::EXCEPTION_SQL, "table missing", &source,
                                std::make_shared<plat::lang::IllegalStateException>("cause"));
  support.fireExceptionEvent(original);
  ASSERT_EQ(l.a->received.size(), 1u);
  ASSERT_EQ(l.b->received.size(), 1u);
  for (const auto& e : {l.a->received[0], l.b->received[0]}) {
    EXPECT_EQ(e.getEventType(), ExceptionEvent::EXCEPTION_SQL);
    EXPECT_EQ(e.getExceptionName(), "table missing");
    EXPECT_EQ(e.getSource(), &source);
    EXPECT_EQ(e.getException(), nullptr);
  }
  EXPECT_NE(l.a->events[0], &original) << "a copy, not the event handed in";
  EXPECT_EQ(l.a->events[0], l.b->events[0]) << "one copy shared by all listeners";
  EXPECT_NE(original.getException(), nullptr);
}

TEST(ExceptionEventSupport, NoListenersMeansNothingIsCalledAndRemovalTakesTheFirst) {
  plat::lang::Object source;
  Listeners l;
  ExceptionEventSupport support;
  support.fireExceptionEvent(ExceptionEvent(1, "nobody", &source));
  support.addExceptionEventListener(l.a);
  support.addExceptionEventListener(l.a);
  support.removeExceptionEventListener(l.a);
  support.fireExceptionEvent(ExceptionEvent(1, "once", &source));
  EXPECT_EQ(l.journal, (std::vector<std::string>{"a.exception"}));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::binding::event
