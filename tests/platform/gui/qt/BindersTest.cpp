// Qt widgets paired with headless components, offscreen: the user's typing and clicks reach the models, the
// models' changes reach the widgets, and no change the model made comes back as the user's.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>

#include "platform/gui/AbstractTableModel.h"
#include "platform/gui/ActionListener.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/DefaultComboBoxModel.h"
#include "platform/gui/DocumentListener.h"
#include "platform/gui/List.h"
#include "platform/gui/ListSelectionListener.h"
#include "platform/gui/MouseListener.h"
#include "platform/gui/PlainDocument.h"
#include "platform/gui/TableHeader.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/ButtonBinder.h"
#include "platform/gui/qt/ComboBoxBinder.h"
#include "platform/gui/qt/LineEditBinder.h"
#include "platform/gui/qt/ListViewBinder.h"
#include "platform/gui/qt/TableViewBinder.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

class Changes : public DocumentListener {
 public:
  void insertUpdate(const DocumentEvent&) override { ++count; }
  void removeUpdate(const DocumentEvent&) override { ++count; }
  void changedUpdate(const DocumentEvent&) override { ++count; }
  int count = 0;
};

TEST(LineEditBinder, TypingWritesTheDocumentAndModelChangesShowWithoutEcho) {
  qttest::app();
  auto field = makeRef<TextField>();
  QLineEdit edit;
  new LineEditBinder(&edit, field);
  auto changes = std::make_shared<Changes>();
  field->getDocument()->addDocumentListener(changes);

  QTest::keyClicks(&edit, "ab");
  EXPECT_EQ(field->getText(), "ab");
  EXPECT_EQ(changes->count, 2);  // one insertion per key
  edit.setCursorPosition(1);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(field->getText(), "b");

  changes->count = 0;
  field->getDocument()->insertString(1, "ü");
  EXPECT_EQ(edit.text(), QString::fromUtf8("bü"));
  EXPECT_EQ(changes->count, 1);  // the model's own change, nothing written back
}

class Grid : public AbstractTableModel {
 public:
  int getRowCount() const override { return 3; }
  int getColumnCount() const override { return 2; }
  Value getValueAt(int row, int column) const override { return Value(row * 10 + column); }
};

class SelectionCount : public ListSelectionListener {
 public:
  void valueChanged(const ListSelectionEvent&) override { ++count; }
  int count = 0;
};

class HeaderClicks : public MouseListener {
 public:
  void mouseClicked(const MouseEvent& e) override {
    auto* header = dynamic_cast<TableHeader*>(e.getSource());
    clicks.push_back({header != nullptr ? header->columnAtPoint(e.getPoint()) : -9, e.getModifiers()});
  }
  void mousePressed(const MouseEvent&) override {}
  void mouseReleased(const MouseEvent&) override {}
  void mouseEntered(const MouseEvent&) override {}
  void mouseExited(const MouseEvent&) override {}
  std::vector<std::pair<int, int>> clicks;
};

TEST(TableViewBinder, SelectionsFollowEachOtherAndHeaderClicksCarryShift) {
  qttest::app();
  auto table = makeRef<Table>(makeRef<Grid>());
  table->getColumnModel()->getColumn(1)->setMinWidth(30);
  table->getColumnModel()->getColumn(1)->setMaxWidth(40);
  QTableView view;
  auto* binder = new TableViewBinder(&view, table);
  view.resize(400, 200);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  auto count = std::make_shared<SelectionCount>();
  table->getSelectionModel()->addListSelectionListener(count);
  // Widths the user drags stay within the column's bounds.
  view.horizontalHeader()->resizeSection(1, 500);
  EXPECT_EQ(view.columnWidth(1), 40);
  view.horizontalHeader()->resizeSection(1, 5);
  EXPECT_EQ(view.columnWidth(1), 30);
  EXPECT_EQ(table->getColumnModel()->getColumn(1)->getWidth(), 30);

  // The user clicks row 2: the table selects it, once.
  const QRect cell = view.visualRect(binder->adapter()->index(2, 0));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(table->getSelectedRow(), 2);
  EXPECT_EQ(count->count, 1);

  // The model selects row 0: the view follows and the table hears nothing more.
  table->setRowSelectionInterval(0, 0);
  EXPECT_EQ(count->count, 2);
  ASSERT_EQ(view.selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(view.selectionModel()->selectedRows().first().row(), 0);
  EXPECT_EQ(count->count, 2);

  auto clicks = std::make_shared<HeaderClicks>();
  table->getTableHeader()->addMouseListener(clicks);
  QHeaderView* header = view.horizontalHeader();
  const QPoint second(header->sectionViewportPosition(1) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, 5));
  QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::ShiftModifier, second);
  ASSERT_EQ(clicks->clicks.size(), 2u);
  EXPECT_EQ(clicks->clicks[0], std::make_pair(0, 0));
  EXPECT_EQ(clicks->clicks[1], std::make_pair(1, InputEvent::SHIFT_MASK));
}

class Actions : public ActionListener {
 public:
  void actionPerformed(const ActionEvent&) override { ++count; }
  int count = 0;
};

TEST(ButtonBinder, AClickIsTheButtonsActionAndAModelChangeIsNone) {
  qttest::app();
  auto box = makeRef<CheckBox>("Paid");
  auto actions = std::make_shared<Actions>();
  box->addActionListener(actions);
  QCheckBox qbox;
  new ButtonBinder(&qbox, box);
  EXPECT_EQ(qbox.text(), "Paid");
  qbox.click();  // as the user does: pressed, released, clicked
  EXPECT_TRUE(box->isSelected());
  EXPECT_TRUE(qbox.isChecked());
  EXPECT_EQ(actions->count, 1);
  box->getModel()->setSelected(false);
  EXPECT_FALSE(qbox.isChecked());
  EXPECT_EQ(actions->count, 1);
}

TEST(ComboBoxBinder, OnlyTheUsersChoiceIsAnAction) {
  qttest::app();
  auto combo = makeRef<ComboBox>();
  for (const char* item : {"a", "b", "c"}) combo->addItem(Value(item));
  auto actions = std::make_shared<Actions>();
  combo->addActionListener(actions);
  QComboBox qbox;
  new ComboBoxBinder(&qbox, combo);
  ASSERT_EQ(qbox.count(), 3);
  int activated = 0;
  QObject::connect(&qbox, &QComboBox::activated, [&] { ++activated; });
  emit qbox.activated(1);
  EXPECT_EQ(combo->getSelectedIndex(), 1);
  EXPECT_EQ(actions->count, 1);
  combo->getModel()->setSelectedItem(Value("c"));
  EXPECT_EQ(qbox.currentIndex(), 2);
  EXPECT_EQ(actions->count, 1);
  EXPECT_EQ(activated, 1);
}

TEST(ListViewBinder, TheUsersRowIsTheListsClickAndModelSelectionsShowWithoutEcho) {
  qttest::app();
  auto entries = makeRef<DefaultComboBoxModel>();
  for (const char* item : {"ann", "bob", "cy"}) entries->addElement(Value(item));
  auto list = makeRef<List>();
  list->setModel(entries);
  auto count = std::make_shared<SelectionCount>();
  list->getSelectionModel()->addListSelectionListener(count);
  QListView view;
  new ListViewBinder(&view, list);
  ASSERT_EQ(view.model()->rowCount(), 3);
  view.selectionModel()->select(view.model()->index(1, 0), QItemSelectionModel::ClearAndSelect);
  EXPECT_EQ(list->getSelectedIndex(), 1);
  EXPECT_EQ(count->count, 1);
  list->setSelectedIndex(2);
  EXPECT_EQ(count->count, 2);
  ASSERT_EQ(view.selectionModel()->selectedRows().size(), 1);
  EXPECT_EQ(view.selectionModel()->selectedRows().first().row(), 2);
  EXPECT_EQ(count->count, 2);
}

}  // namespace
}  // namespace plat::gui::qt
