// A bound table shown in a real QTableView, offscreen: a cell edited in Qt is written through the column's cell
// editor into the source's row: a code/name combo writes the code of the name chosen, a check box its texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QPointer>
#include <QTableView>

#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/TableViewBinder.h"
#include "quenlora/zafoli/db/beans/javax/swing/ColumnAttributes.h"
#include "quenlora/zafoli/db/beans/javax/swing/TableBindingModel.h"
#include "tests/platform/gui/qt/QtTestSupport.h"
#include "tests/quenlora/zafoli/db/beans/javax/swing/BoundFormSupport.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using plat::lang::makeRef;
using plat::lang::Ref;
using plat::lang::Value;
using testing::Source;

class QtTableEditingTest : public testing::BoundFormTest {
 protected:
  void SetUp() override {
    BoundFormTest::SetUp();
    // "X" and "S" share the name Sales: the entry shown must be the code's own.
    dept = publish("dept", {"CODE", "NAME"},
                   {{Value("S"), Value("Sales")}, {Value("R"), Value("Research")}, {Value("X"), Value("Sales")}});
    emp = publish("emp", {"ID", "DEPT", "PAID"},
                  {{Value(1), Value("X"), Value("Y")}, {Value(2), Value("S"), Value("N")}});
    model->setTableBinding("emp@ID,DEPT,PAID%All");
    model->setTable(table);
    ColumnAttributes::Layout id;
    id.editable = false;
    model->setColumnAttributes(
        {makeRef<ColumnAttributes>(id, makeRef<plat::gui::TextField>()),
         makeRef<ColumnAttributes>(ColumnAttributes::Layout{}, makeRef<plat::gui::ComboBox>(), false, true,
                                   std::string("dept@CODE,NAME")),
         makeRef<ColumnAttributes>(ColumnAttributes::Layout{}, makeRef<plat::gui::CheckBox>(), "", "Y", "N")});
    binder = new plat::gui::qt::TableViewBinder(&view, table);
    view.resize(400, 200);
    view.show();
  }
  QModelIndex index(int row, int column) const { return binder->adapter()->index(row, column); }

  QApplication& app = plat::gui::qt::qttest::app();  // before any widget
  Source dept;
  Source emp;
  Ref<TableBindingModel> model = makeRef<TableBindingModel>();
  Ref<plat::gui::Table> table = makeRef<plat::gui::Table>();
  QTableView view;
  plat::gui::qt::TableViewBinder* binder = nullptr;
};

TEST_F(QtTableEditingTest, ACodeNameComboCellShowsTheNameAndWritesTheCodeChosen) {
  view.edit(index(0, 1));
  auto* box = view.viewport()->findChild<QComboBox*>();
  ASSERT_NE(box, nullptr);
  ASSERT_EQ(box->count(), 3);
  EXPECT_EQ(box->itemText(1), "Research");
  EXPECT_EQ(box->currentIndex(), 2);  // X's entry, not the first Sales
  const QPointer<QComboBox> editor(box);
  emit box->activated(1);
  EXPECT_EQ(emp.data->cell(0, 1), Value("R"));
  EXPECT_TRUE(plat::gui::qt::qttest::pumpUntil([&] { return editor.isNull() || editor->isHidden(); }));
  EXPECT_FALSE(table->isEditing());
  EXPECT_EQ(view.model()->data(index(0, 1)).toString(), "R");
}

TEST_F(QtTableEditingTest, ACheckBoxCellTicksThroughItsTrueAndFalseTexts) {
  EXPECT_EQ(view.model()->data(index(1, 2), Qt::CheckStateRole).toInt(), Qt::Unchecked);
  for (const char* expected : {"Y", "N"}) {
    view.setCurrentIndex(index(1, 2));
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(&view, &space);
    EXPECT_EQ(emp.data->cell(1, 2), Value(expected));
  }
  EXPECT_EQ(view.model()->data(index(1, 2), Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
