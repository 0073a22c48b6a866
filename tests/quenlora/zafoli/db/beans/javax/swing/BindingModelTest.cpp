#include "quenlora/zafoli/db/beans/javax/swing/BindingModel.h"

#include <gtest/gtest.h>

#include "platform/gui/CheckBox.h"
#include "platform/gui/JCurrencyTextField.h"
#include "platform/gui/JMaskedTextField.h"
#include "platform/gui/Label.h"
#include "platform/gui/Table.h"
#include "platform/gui/TextField.h"
#include "platform/lang/Exceptions.h"
#include "platform/runvale/ClassRegistry.h"
#include "platform/runvale/ModuleInit.h"
#include "quenlora/zafoli/db/beans/brl/UnKnownColValue.h"
#include "quenlora/zafoli/db/beans/javax/swing/BindingModelEvent.h"
#include "tests/quenlora/zafoli/db/beans/javax/swing/BoundFormSupport.h"

namespace quenlora::zafoli::db::beans::javax::swing::testing {
namespace {

namespace gui = plat::gui;

// A text field bound to one column of the current row.
struct BoundField {
  Ref<gui::TextField> field = makeRef<gui::TextField>();
  Ref<BindingModel> model = makeRef<BindingModel>();
};

BoundField bindField(const std::string& binding, int event = BindingModel::defaultEvent) {
  BoundField b;
  b.model->setTriggeringEvent(event);
  b.model->setComponent(b.field);
  b.model->setDataBinding(binding);
  return b;
}

// Counts the structure changes a table hears.
struct StructureCounter : gui::TableModelListener {
  int structures = 0;
  void tableChanged(const gui::TableModelEvent& e) override { structures += e.isStructureChanged() ? 1 : 0; }
};

using BindingModelTest = BoundFormTest;

TEST_F(BindingModelTest, WithTheDefaultEventEveryKeystrokeIsWrittenAndTheEchoIsNotShownTwice) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  BoundField b = bindField("emp@NAME");
  ASSERT_EQ(b.field->getText(), "Ann");

  b.field->requestFocus();
  b.field->type("é");
  EXPECT_EQ(emp.data->cell(0, 1), Value("Anné"));
  b.field->backspace();
  EXPECT_EQ(emp.data->cell(0, 1), Value("Ann"));
  EXPECT_EQ(b.field->getText(), "Ann") << "the model's own write came back without being shown again";

  emp.data->setValue(Value("Zoë"), 0, 1);
  EXPECT_EQ(b.field->getText(), "Zoë") << "a change from the source is shown";
}

TEST_F(BindingModelTest, WithFocusLostTheTextIsWrittenOnlyWhenTheFocusLeaves) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  BoundField b = bindField("emp@NAME", BindingModel::focusLost);
  auto other = makeRef<gui::TextField>();
  b.field->requestFocus();
  b.field->type("ie");
  EXPECT_EQ(emp.data->cell(0, 1), Value("Ann"));
  other->requestFocus();
  EXPECT_EQ(emp.data->cell(0, 1), Value("Annie"));
}

TEST_F(BindingModelTest, KeyTypedCommitsBeforeTheCharacterLandsAndKeyReleasedAfter) {
  struct Case {
    int event;
    const char* written;
  };
  for (const Case& c : {Case{BindingModel::keyTyped, "Ann"}, Case{BindingModel::keyReleased, "Anna"}}) {
    Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
    BoundField b = bindField("emp@NAME", c.event);
    b.field->type("a");
    EXPECT_EQ(emp.data->cell(0, 1), Value(c.written)) << "event " << c.event;
    binding::databus::DataBus::initialize();
  }
}

TEST_F(BindingModelTest, AnEmptyFieldWritesNullOrTheEmptyTextAsEmptyMeansNullSays) {
  for (bool emptyMeansNull : {true, false}) {
    Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
    BoundField b = bindField("emp@NAME");
    b.model->setEmptyMeansNull(emptyMeansNull);
    b.field->setText("");
    EXPECT_EQ(emp.data->cell(0, 1), emptyMeansNull ? Value() : Value(std::string()));
    binding::databus::DataBus::initialize();
  }
}

TEST_F(BindingModelTest, ACheckBoxOnATextColumnIsTickedForTheTrueTextAndWritesItsTexts) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto box = makeRef<gui::CheckBox>();
  auto model = makeRef<BindingModel>();
  model->setBooleanTrueString("Y");
  model->setBooleanFalseString("N");
  model->setComponent(box);
  model->setDataBinding("emp@ACTIVE");
  EXPECT_TRUE(box->isSelected());

  box->click();
  EXPECT_FALSE(box->isSelected());
  EXPECT_EQ(emp.data->cell(0, 2), Value("N"));
  emp.data->moveTo(2);
  EXPECT_TRUE(box->isSelected()) << "the next row's Y ticks the box";
  box->click();
  EXPECT_EQ(emp.data->cell(2, 2), Value("N"));
}

TEST_F(BindingModelTest, TextTypedBeforeTheItemResolvesIsReplacedNeverJoined) {
  BoundField b = bindField("late@NAME");
  b.field->type("zz");
  Source late = publish("late", {"ID", "NAME", "ACTIVE"}, people());
  EXPECT_EQ(b.field->getText(), "Ann");
  EXPECT_EQ(late.data->cell(0, 1), Value("Ann")) << "nothing typed earlier was committed";
}

TEST_F(BindingModelTest, BindingAgainStopsListeningToThePreviousItem) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  BoundField b = bindField("emp@NAME");
  b.model->setDataBinding("emp@ACTIVE");
  ASSERT_EQ(b.field->getText(), "Y");
  emp.data->setValue(Value("Ada"), 0, 1);
  EXPECT_EQ(b.field->getText(), "Y") << "the old column's change is not shown";
  b.field->type("!");
  EXPECT_EQ(emp.data->cell(0, 1), Value("Ada"));
  EXPECT_EQ(emp.data->cell(0, 2), Value("Y!"));
}

TEST_F(BindingModelTest, ARevokedSourceLeavesTheFormShowingAndItsSuccessorIsBound) {
  Source first = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  BoundField b = bindField("emp@NAME");
  first.mediator->killAll();
  EXPECT_EQ(b.field->getText(), "Ann") << "what is shown stays";
  EXPECT_NE(b.model->getDataBus(), nullptr) << "the model waits on the bus";
  EXPECT_EQ(b.model->getDataItem(), nullptr);
  b.field->type("x");
  EXPECT_EQ(first.data->cell(0, 1), Value("Ann")) << "nothing reaches the revoked source";

  Source second = publish("emp", {"ID", "NAME", "ACTIVE"}, {{Value(9), Value("Nia"), Value("Y")}});
  EXPECT_EQ(b.field->getText(), "Nia");
  b.field->type("m");
  EXPECT_EQ(second.data->cell(0, 1), Value("Niam"));
}

TEST_F(BindingModelTest, ATableFollowsTheNavigatorAndMovesItWhenARowIsClicked) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto table = makeRef<gui::Table>();
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("emp@ID,NAME%All");
  model->setComponent(table);
  ASSERT_EQ(table->getColumnCount(), 2);
  EXPECT_EQ(table->getColumnName(1), "NAME");
  EXPECT_EQ(table->getValueAt(2, 1), Value("Cy"));
  EXPECT_EQ(table->getSelectedRow(), 0);

  emp.data->moveTo(2);
  EXPECT_EQ(table->getSelectedRow(), 2);
  table->clickCell(1, 0);
  EXPECT_EQ(emp.data->getCurrentRowNumber(), 1);
  EXPECT_EQ(table->getSelectedRow(), 1);
}

TEST_F(BindingModelTest, ARowNumberColumnIsHeadedWithTheRowText) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto table = makeRef<gui::Table>();
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("emp@RowNumber,NAME%All");
  model->setComponent(table);
  EXPECT_EQ(table->getColumnName(0), BindingModel::ROW_NUMBER());
  EXPECT_EQ(table->getValueAt(1, 0), Value(2));
}

TEST_F(BindingModelTest, ALookupWithoutAllKeepsTheTableOnRowZero) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto table = makeRef<gui::Table>();
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("emp@ID,NAME%2");
  model->setComponent(table);
  EXPECT_FALSE(model->enableGridNavigation());
  emp.data->moveTo(1);
  EXPECT_EQ(table->getSelectedRow(), 0);
}

TEST_F(BindingModelTest, AnInvalidPositionClearsTheSelectionInsteadOfFailing) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto table = makeRef<gui::Table>();
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("emp@ID,NAME%All");
  model->setComponent(table);
  emp.data->appendRow({Value(4), Value("Di"), Value("N")});
  emp.data->moveTo(7);  // past the rows the table was given
  EXPECT_EQ(table->getSelectedRow(), -1);
}

TEST_F(BindingModelTest, OnlyTheAnnouncementThatBindsTheLookupChangesTheTableStructure) {
  auto table = makeRef<gui::Table>();
  auto model = makeRef<BindingModel>();
  model->setLookupBinding("emp@ID,NAME%All");
  model->setComponent(table);
  auto counter = makeRef<StructureCounter>();
  model->addTableModelListener(counter);

  Source dept = publish("dept", {"NO"}, {{Value(1)}});
  EXPECT_EQ(counter->structures, 0) << "another alias";
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  EXPECT_EQ(counter->structures, 1);
  EXPECT_EQ(table->getColumnCount(), 2);
  emp.data->publish("emp2");
  EXPECT_EQ(counter->structures, 1) << "an announcement that bound nothing";
}

TEST_F(BindingModelTest, AnInvalidTriggeringEventIsRefusedAndChangesNothing) {
  BoundField b = bindField("emp@NAME", BindingModel::focusLost);
  EXPECT_THROW(b.model->setTriggeringEvent(12), plat::lang::IllegalArgumentException);
  EXPECT_EQ(b.model->getTriggeringEvent(), BindingModel::focusLost);
  EXPECT_EQ(b.field->getFocusListenerCount(), 1);
  b.model->setTriggeringEvent(BindingModel::keyTyped);
  EXPECT_EQ(b.field->getFocusListenerCount(), 0);
  EXPECT_EQ(b.field->getKeyListenerCount(), 1);
}

TEST_F(BindingModelTest, ALabelShowsTheValueText) {
  Source emp = publish("emp", {"ID", "NAME", "ACTIVE"}, people());
  auto label = makeRef<gui::Label>();
  auto model = makeRef<BindingModel>();
  model->setComponent(label);
  model->setDataBinding("emp@NAME");
  EXPECT_EQ(label->getText(), "Ann");
  emp.data->moveTo(1);
  EXPECT_EQ(label->getText(), "Bob");
}

TEST_F(BindingModelTest, MaskedAndCurrencyFieldsShowTheNotCalculatedMarkerAsNothing) {
  const Value marker = Value::ofObject(makeRef<brl::UnKnownColValue>());
  Source totals = publish("tot", {"AMOUNT"}, {{marker}, {Value("12.50")}});
  std::vector<Ref<gui::TextComponent>> fields = {makeRef<gui::JCurrencyTextField>(), makeRef<gui::JMaskedTextField>(),
                                                 makeRef<gui::TextField>()};
  std::vector<Ref<BindingModel>> models;
  for (const auto& field : fields) {
    models.push_back(makeRef<BindingModel>());
    models.back()->setComponent(field);
    models.back()->setDataBinding("tot@AMOUNT");
  }
  EXPECT_EQ(fields[0]->getText(), "");
  EXPECT_EQ(fields[1]->getText(), "");
  EXPECT_EQ(fields[2]->getText(), marker.toString()) << "a plain field shows the marker's text";
  EXPECT_EQ(totals.data->cell(0, 0), marker) << "showing nothing wrote nothing";
  totals.data->moveTo(1);
  // The field was given the amount, which it shows in its own format.
  EXPECT_EQ(fields[0]->getText(), gui::CurrencyEngine().format(plat::math::Decimal("12.50")));
}

TEST(ToolkitClassesTest, TheModuleRegistersTheFieldsAndEngineByName) {
  runvale_module_init(plat::runvale::ClassRegistry::instance());
  auto& registry = plat::runvale::ClassRegistry::instance();
  for (const char* name :
       {"com.quenlora.zafoli.javax.swing.JMaskedTextField", "com.quenlora.zafoli.javax.swing.JCurrencyTextField",
        "com.quenlora.zafoli.javax.swing.CurrencyEngine", "javax.swing.JTextField"}) {
    auto made = registry.newInstance(name);
    ASSERT_NE(made, nullptr) << name;
    EXPECT_EQ(made->getClassName(), name);
  }
  EXPECT_TRUE(registry.isAssignableTo("com.quenlora.zafoli.javax.swing.JMaskedTextField", "javax.swing.JTextField"));
}

TEST(BindingModelEventTest, NamesCodesAndLongNames) {
  const auto events = BindingModelEvent::getEvents();
  ASSERT_EQ(events.size(), 12u);
  for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(events[i]->toInt(), static_cast<int>(i));
  EXPECT_EQ(BindingModelEvent::focusLost.toString(), "focusLost");
  EXPECT_EQ(BindingModelEvent::focusLost.toLongString(), "quenlora.zafoli.db.beans.javax.swing.BindingModel.focusLost");
  EXPECT_EQ(events.back()->toString(), "keyTyped");
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing::testing
