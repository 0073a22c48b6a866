#include "quenlora/zafoli/db/beans/javax/swing/DBComboBoxModel.h"

#include <gtest/gtest.h>

#include "platform/gui/ComboBox.h"
#include "platform/gui/TextField.h"
#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/sql/Types.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"
#include "testkit/beans/MemoryConnection.h"
#include "testkit/beans/MemoryLink.h"
#include "testkit/beans/MemoryQueryNavigator.h"
#include "testkit/beans/MemoryRecord.h"
#include "testkit/beans/MemoryTable.h"
#include "tests/quenlora/zafoli/db/beans/javax/swing/BoundFormSupport.h"

namespace quenlora::zafoli::db::beans::javax::swing::testing {
namespace {

namespace gui = plat::gui;
using Kind = TriggeringEventHandler::ListenerKind;

// A combo box handed over by a binding model, as a form builds it.
struct BoundCombo {
  Ref<gui::ComboBox> box = makeRef<gui::ComboBox>();
  Ref<BindingModel> model = makeRef<BindingModel>();
  DBComboBoxModel& combo() const { return *model->getDBComboBoxModel(); }
};

BoundCombo bindCombo(const std::string& lookup, const std::string& data, int event = BindingModel::defaultEvent,
                     bool editable = false) {
  BoundCombo b;
  b.box->setEditable(editable);
  b.model->setTriggeringEvent(event);
  b.model->setLookupBinding(lookup);
  b.model->setDataBinding(data);
  b.model->setComponent(b.box);
  return b;
}

std::vector<MemoryDataSource::Row> departments() {
  return {{Value("S"), Value("Sales")}, {Value("R"), Value("Research")}, {Value("X"), Value("Sales")}};
}

std::vector<std::string> shown(const gui::ComboBox& box) {
  std::vector<std::string> texts;
  for (int i = 0; i < box.getItemCount(); ++i) texts.push_back(box.getItemAt(i).toString());
  return texts;
}

using DBComboBoxModelTest = BoundFormTest;

TEST_F(DBComboBoxModelTest, CodesAndNamesShowNamesWriteCodesAndFollowTheBus) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}, {Value(2), Value("S")}});
  BoundCombo b = bindCombo("dept@CODE,NAME%All", "emp@DEPT");
  EXPECT_EQ(shown(*b.box), (std::vector<std::string>{"Sales", "Research", "Sales"}));
  EXPECT_EQ(b.box->getSelectedItem(), Value("Research"));

  b.box->pick(0);
  EXPECT_EQ(emp.data->cell(0, 1), Value("S"));
  emp.data->moveTo(1);
  EXPECT_EQ(b.box->getSelectedIndex(), 0);
  emp.data->setValue(Value("R"), 0, 1);
  EXPECT_EQ(b.box->getSelectedItem(), Value("Research"));
}

// The lookup published by a real navigator: the box lists exactly the rows of its query once the query has run.
TEST_F(DBComboBoxModelTest, ALookupNavigatorShowsExactlyTheRowsOfItsQuery) {
  using testkit::beans::MemoryTable;
  struct Case {
    std::vector<MemoryTable::Row> rows;
    std::vector<std::string> shown;
  };
  const std::vector<Case> cases = {
      {{{Value("S"), Value("Sales")}, {Value("R"), Value("Research")}, {Value("X"), Value("Sales")}},
       {"Sales", "Research", "Sales"}},
      {{{Value("S"), Value("Sales")}}, {"Sales"}},
  };
  int serial = 0;
  for (const Case& c : cases) {
    auto table = makeRef<MemoryTable>(
        "dept",
        std::vector<MemoryTable::Column>{{"CODE", plat::sql::Types::VARCHAR}, {"NAME", plat::sql::Types::VARCHAR}}, 0,
        true);
    for (const auto& row : c.rows) table->addRow(row);
    auto connection = makeRef<testkit::beans::MemoryConnection>();
    const std::string className = "test.combo.Dept" + std::to_string(++serial);
    testkit::beans::MemoryRecord::registerClass(plat::runvale::ClassRegistry::instance(), className, table, connection);
    auto navigator = makeRef<testkit::beans::MemoryQueryNavigator>();
    navigator->setClassName(className);
    navigator->setAliasName("deptNav");
    navigator->setLink(makeRef<testkit::beans::MemoryLink>(navigator.get(), connection));
    Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}});
    BoundCombo b = bindCombo("deptNav@CODE,NAME%All", "emp@DEPT");

    navigator->execute(true);
    EXPECT_EQ(shown(*b.box), c.shown) << c.rows.size() << " rows";
    navigator->close();
    binding::databus::DataBus::initialize();
  }
}

TEST_F(DBComboBoxModelTest, DuplicateNamesWriteTheCodeOfTheEntryPicked) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}});
  BoundCombo b = bindCombo("dept@CODE,NAME%All", "emp@DEPT");
  b.box->pick(2);
  EXPECT_EQ(emp.data->cell(0, 1), Value("X"));
  b.box->pick(0);
  EXPECT_EQ(emp.data->cell(0, 1), Value("S"));
}

TEST_F(DBComboBoxModelTest, AnUnknownCodeKeepsTheEntryShownAndWritesNothingUntilTheUserPicks) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}, {Value(2), Value("Q")}});
  BoundCombo b = bindCombo("dept@CODE,NAME%All", "emp@DEPT", BindingModel::focusLost);
  emp.data->moveTo(1);
  EXPECT_EQ(b.box->getSelectedItem(), Value("Research")) << "the previous entry stays shown";
  EXPECT_TRUE(b.combo().isOutOfStep());
  b.box->requestFocus();
  gui::Component::clearFocus();
  EXPECT_EQ(emp.data->cell(1, 1), Value("Q")) << "never the previous record's code";

  b.box->pick(1);
  b.box->requestFocus();
  gui::Component::clearFocus();
  EXPECT_EQ(emp.data->cell(1, 1), Value("R"));
}

TEST_F(DBComboBoxModelTest, FreeTextIsWrittenForOneColumnAndNothingForTwo) {
  struct Case {
    const char* lookup;
    Value written;
  };
  for (const Case& c : {Case{"dept@NAME%All", Value("Legal")}, Case{"dept@CODE,NAME%All", Value("R")}}) {
    Source dept = publish("dept", {"CODE", "NAME"}, departments());
    Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}});
    BoundCombo b = bindCombo(c.lookup, "emp@DEPT", BindingModel::defaultEvent, true);
    b.box->enterText("Legal");
    EXPECT_EQ(emp.data->cell(0, 1), c.written) << c.lookup;
    binding::databus::DataBus::initialize();
  }
}

TEST_F(DBComboBoxModelTest, AThreeColumnLookupIsRefused) {
  auto model = makeRef<DBComboBoxModel>();
  EXPECT_THROW(model->setLookupDataBinding("dept@A,B,C%All"), plat::lang::IllegalArgumentException);
  EXPECT_EQ(model->getLookupDataBinding(), "");
}

TEST_F(DBComboBoxModelTest, AValueTheBusSelectsIsNeverWrittenBackAsItsOwnEcho) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("Legal")}, {Value(2), Value("Sales")}});
  BoundCombo b = bindCombo("dept@NAME%All", "emp@DEPT", BindingModel::itemStateChanged);
  const auto writes = emp.data->getWrites().size();
  emp.data->moveTo(1);
  emp.data->moveTo(0);
  EXPECT_EQ(emp.data->getWrites().size(), writes);
  EXPECT_EQ(emp.data->cell(0, 1), Value("Legal")) << "an unlisted value is not overwritten with null";
}

TEST_F(DBComboBoxModelTest, ItemSelectedCommitsOnDeselectionToo) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}});
  BoundCombo b = bindCombo("dept@CODE,NAME%All", "emp@DEPT", BindingModel::itemStateChanged);
  ASSERT_EQ(b.box->getItemListenerCount(), 1);
  int commits = 0;
  struct Counter : gui::ItemListener {
    int* n;
    explicit Counter(int* count) : n(count) {}
    void itemStateChanged(const gui::ItemEvent& e) override { *n += e.getStateChange() == gui::ItemEvent::DESELECTED; }
  };
  b.box->addItemListener(makeRef<Counter>(&commits));
  b.box->pick(0);
  EXPECT_EQ(commits, 1) << "the deselection of Research was heard";
  EXPECT_EQ(emp.data->cell(0, 1), Value("S"));
}

TEST_F(DBComboBoxModelTest, AStaticListFollowsTheLookupValuesItDoesNotRepeat) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  auto box = makeRef<gui::ComboBox>();
  auto model = makeRef<BindingModel>();
  model->setStaticList(std::vector<std::string>{"Research", "None"});
  model->setLookupBinding("dept@NAME%All");
  model->setComponent(box);
  EXPECT_EQ(shown(*box), (std::vector<std::string>{"Sales", "Research", "Sales", "None"}));
}

TEST_F(DBComboBoxModelTest, ListenerKindsAreCountedPerKind) {
  auto model = makeRef<DBComboBoxModel>();
  auto box = makeRef<gui::ComboBox>();
  model->setComboBox(box);
  auto& handler = *model->getEventHandler();
  handler.setTriggeringEvents({TriggeringEvents::MOUSE_CLICKED, TriggeringEvents::MOUSE_PRESSED});
  EXPECT_EQ(box->getMouseListenerCount(), 1);
  EXPECT_EQ(handler.getUseCount(Kind::Mouse), 2);
  handler.setTriggeringEvents(0, TriggeringEvents::FOCUS_LOST);
  EXPECT_EQ(box->getMouseListenerCount(), 1);
  EXPECT_EQ(box->getFocusListenerCount(), 1);
  handler.removeListener(TriggeringEvents::MOUSE_PRESSED);
  EXPECT_EQ(box->getMouseListenerCount(), 0);

  EXPECT_THROW(handler.setTriggeringEvents({TriggeringEvents::KEY_TYPED, 13}), plat::lang::IllegalArgumentException);
  EXPECT_EQ(box->getKeyListenerCount(), 0) << "a refused list changes nothing";
  EXPECT_EQ(box->getFocusListenerCount(), 1);
}

TEST_F(DBComboBoxModelTest, ActionAndItemListenersGoOnlyWhereTheComponentTakesThem) {
  auto model = makeRef<DBComboBoxModel>();
  TriggeringEventHandler handler(model.get());
  EXPECT_THROW(TriggeringEventHandler(nullptr), plat::lang::IllegalArgumentException);
  auto handlerRef = makeRef<TriggeringEventHandler>(model.get());
  handlerRef->setTriggeringEvents({TriggeringEvents::ITEM_SELECTED, TriggeringEvents::ACTION_PERFORMED});
  auto field = makeRef<gui::TextField>();
  handlerRef->setSource(field);
  EXPECT_EQ(field->getActionListenerCount(), 1);
  EXPECT_EQ(handlerRef->getUseCount(Kind::Item), 0) << "a text field has no item listeners";
}

TEST_F(DBComboBoxModelTest, FocusLostRegisteredAlsoCommitsOnFocusGained) {
  Source dept = publish("dept", {"CODE", "NAME"}, departments());
  Source emp = publish("emp", {"ID", "DEPT"}, {{Value(1), Value("R")}});
  BoundCombo b = bindCombo("dept@CODE,NAME%All", "emp@DEPT", BindingModel::focusLost);
  b.box->getModel()->setSelectedItem(Value("Sales"));
  b.box->requestFocus();
  EXPECT_EQ(emp.data->cell(0, 1), Value("S"));
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing::testing
