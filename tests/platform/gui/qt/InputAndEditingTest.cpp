// Real Qt input on bound widgets, offscreen: a click, a key and a focus change reach the headless listeners once,
// without the component acting on them a second time, and a table cell is edited through its column's cell
// editor (a combo box writes the chosen entry, a text field its text; Escape writes nothing).
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <string>
#include <vector>

#include "platform/gui/AbstractTableModel.h"
#include "platform/gui/ActionListener.h"
#include "platform/gui/CheckBox.h"
#include "platform/gui/ComboBox.h"
#include "platform/gui/DefaultCellEditor.h"
#include "platform/gui/FocusListener.h"
#include "platform/gui/KeyListener.h"
#include "platform/gui/MouseListener.h"
#include "platform/gui/Table.h"
#include "platform/gui/TextField.h"
#include "platform/gui/qt/ButtonBinder.h"
#include "platform/gui/qt/LineEditBinder.h"
#include "platform/gui/qt/TableViewBinder.h"
#include "tests/platform/gui/qt/QtTestSupport.h"

namespace plat::gui::qt {
namespace {

using plat::lang::makeRef;
using plat::lang::Value;

// Every focus, mouse, key and action event a component's listeners hear, as text.
class Recorder : public FocusListener, public MouseListener, public KeyListener, public ActionListener {
 public:
  void focusGained(const FocusEvent&) override { log.push_back("focusGained"); }
  void focusLost(const FocusEvent&) override { log.push_back("focusLost"); }
  void mousePressed(const MouseEvent& e) override { mouse("pressed", e); }
  void mouseReleased(const MouseEvent& e) override { mouse("released", e); }
  void mouseClicked(const MouseEvent& e) override { mouse("clicked", e); }
  void mouseEntered(const MouseEvent&) override {}
  void mouseExited(const MouseEvent&) override {}
  void keyPressed(const KeyEvent& e) override { key("keyPressed", e.getKeyCode(), e); }
  void keyTyped(const KeyEvent& e) override { key("keyTyped", e.getKeyCode(), e); }
  void keyReleased(const KeyEvent& e) override { key("keyReleased", e.getKeyCode(), e); }
  void actionPerformed(const ActionEvent&) override { log.push_back("action"); }

  static std::shared_ptr<Recorder> on(Component& component) {
    auto r = std::make_shared<Recorder>();
    component.addFocusListener(r);
    component.addMouseListener(r);
    component.addKeyListener(r);
    if (auto* source = dynamic_cast<ActionSource*>(&component)) source->addActionListener(r);
    return r;
  }
  std::vector<std::string> log;

 private:
  void mouse(const char* what, const MouseEvent& e) {
    log.push_back(std::string(what) + " " + std::to_string(e.getClickCount()) + " @" + std::to_string(e.getX()) + "," +
                  std::to_string(e.getY()) + " m" + std::to_string(e.getModifiers()));
  }
  void key(const char* what, int code, const KeyEvent& e) {
    const char16_t c = e.getKeyChar();
    const std::string shown = c == KeyEvent::CHAR_UNDEFINED ? "-"
                              : c < 0x20                    ? "^" + std::to_string(int(c))
                                                            : std::string(1, char(c));
    log.push_back(std::string(what) + " " + std::to_string(code) + " " + shown);
  }
};

// A window the offscreen platform activates, so that widgets in it take the focus.
struct Window {
  QWidget widget;
  QVBoxLayout* layout = new QVBoxLayout(&widget);
  void show() {
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget));
  }
};

TEST(InputEventFilter, AClickOnABoundCheckBoxIsHeardOnceAndTogglesOnce) {
  qttest::app();
  Window window;
  auto box = makeRef<CheckBox>("Paid");
  auto* qbox = new QCheckBox;
  auto* other = new QLineEdit;
  window.layout->addWidget(qbox);
  window.layout->addWidget(other);
  new ButtonBinder(qbox, box);
  window.show();
  other->setFocus();
  auto heard = Recorder::on(*box);

  const int y = qbox->height() / 2;
  const std::string at = "@4," + std::to_string(y);
  QTest::mouseClick(qbox, Qt::LeftButton, Qt::ShiftModifier, QPoint(4, y));
  EXPECT_TRUE(box->isSelected());
  EXPECT_TRUE(qbox->isChecked());
  EXPECT_EQ(heard->log, (std::vector<std::string>{"focusGained", "pressed 1 " + at + " m1", "released 1 " + at + " m1",
                                                  "clicked 1 " + at + " m1", "action"}));

  // A release outside the box is no click, for Qt as for the headless box.
  heard->log.clear();
  QTest::mousePress(qbox, Qt::LeftButton, {}, QPoint(4, y));
  QTest::mouseRelease(qbox, Qt::LeftButton, {}, QPoint(-30, y));
  EXPECT_TRUE(box->isSelected());
  EXPECT_EQ(heard->log,
            (std::vector<std::string>{"pressed 1 " + at + " m0", "released 1 @-30," + std::to_string(y) + " m0"}));

  // The model's change is shown and heard as nothing.
  heard->log.clear();
  box->setSelected(false);
  EXPECT_FALSE(qbox->isChecked());
  EXPECT_TRUE(heard->log.empty());
}

TEST(InputEventFilter, KeysAndFocusOfABoundLineEditReachTheListenersAndTheTextOnce) {
  qttest::app();
  Window window;
  auto field = makeRef<TextField>();
  auto* edit = new QLineEdit;
  auto* other = new QLineEdit;
  window.layout->addWidget(edit);
  window.layout->addWidget(other);
  new LineEditBinder(edit, field);
  window.show();
  other->setFocus();
  auto heard = Recorder::on(*field);

  edit->setFocus();
  EXPECT_TRUE(field->hasFocus());
  QTest::keyClick(edit, Qt::Key_A);
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(field->getText(), "a");  // inserted by Qt, not again by the field
  other->setFocus();
  EXPECT_FALSE(field->hasFocus());
  EXPECT_EQ(heard->log, (std::vector<std::string>{"focusGained", "keyPressed 65 a", "keyTyped 0 a", "keyReleased 65 a",
                                                  "keyPressed 0 -", "keyReleased 0 -", "keyPressed 10 ^10",
                                                  "keyTyped 0 ^10", "action", "keyReleased 10 ^10", "focusLost"}));
}

// Cells as typed values; the column's editor writes through setValueAt, which every view hears of.
class Cells : public AbstractTableModel {
 public:
  int getRowCount() const override { return 2; }
  int getColumnCount() const override { return 2; }
  bool isCellEditable(int, int) const override { return true; }
  Value getValueAt(int row, int column) const override { return cells[row][column]; }
  void setValueAt(const Value& value, int row, int column) override {
    cells[row][column] = value;
    ++writes;
    fireTableCellUpdated(row, column);
  }
  Value cells[2][2] = {{Value("ab"), Value("green")}, {Value("cd"), Value("red")}};
  int writes = 0;
};

struct EditedTable {
  std::shared_ptr<Cells> cells = makeRef<Cells>();
  plat::lang::Ref<Table> table = makeRef<Table>(cells);
  QTableView view;
  TableViewBinder* binder = nullptr;
  EditedTable() {
    auto colours = makeRef<ComboBox>();
    for (const char* c : {"red", "green", "blue"}) colours->addItem(Value(c));
    table->getColumnModel()->getColumn(1)->setCellEditor(makeRef<DefaultCellEditor>(colours));
    binder = new TableViewBinder(&view, table);
    view.resize(400, 200);
    view.show();
    view.activateWindow();
  }
  QPoint centre(int row, int column) { return view.visualRect(binder->adapter()->index(row, column)).center(); }
  template <class W>
  W* editor() {
    return view.viewport()->findChild<W*>();
  }
  // The headless edit has ended and Qt has let its editor go (deleted later, hidden now).
  bool closed(const QPointer<QWidget>& editor) {
    return qttest::pumpUntil([&] { return !table->isEditing() && (editor.isNull() || editor->isHidden()); });
  }
};

TEST(TableViewDelegate, ACellIsEditedThroughItsColumnsCellEditor) {
  qttest::app();
  struct Case {
    const char* name;
    int row;
    int column;
    int clicks;  // what the column's editor starts on
    std::function<void(QWidget*)> act;
    Value written;
    int writes;
  };
  const std::vector<Case> cases = {
      {"combo choice", 0, 1, 1,
       [](QWidget* w) {
         auto* box = qobject_cast<QComboBox*>(w);
         ASSERT_NE(box, nullptr);
         ASSERT_EQ(box->count(), 3);
         EXPECT_EQ(box->currentText(), "green");  // the cell's value, selected by the cell editor
         emit box->activated(2);
       },
       Value("blue"), 1},
      {"text and Enter", 1, 0, 2,
       [](QWidget* w) {
         auto* line = qobject_cast<QLineEdit*>(w);
         ASSERT_NE(line, nullptr);
         EXPECT_EQ(line->text(), "cd");
         QTest::keyClick(line, Qt::Key_End);
         QTest::keyClicks(line, "x");
         QTest::keyClick(line, Qt::Key_Return);
       },
       Value("cdx"), 1},
      {"Escape", 0, 0, 2,
       [](QWidget* w) {
         auto* line = qobject_cast<QLineEdit*>(w);
         ASSERT_NE(line, nullptr);
         QTest::keyClicks(line, "zz");
         QTest::keyClick(line, Qt::Key_Escape);
       },
       Value("ab"), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditedTable t;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.view));
    const QPoint at = t.centre(c.row, c.column);
    QTest::mouseClick(t.view.viewport(), Qt::LeftButton, {}, at);
    if (c.clicks == 2) QTest::mouseDClick(t.view.viewport(), Qt::LeftButton, {}, at);
    ASSERT_TRUE(t.table->isEditing());
    EXPECT_EQ(t.table->getEditingRow(), c.row);
    QWidget* editor = c.column == 1 ? static_cast<QWidget*>(t.editor<QComboBox>()) : t.editor<QLineEdit>();
    ASSERT_NE(editor, nullptr);
    const QPointer<QWidget> watched(editor);
    c.act(editor);
    EXPECT_TRUE(t.closed(watched));
    EXPECT_EQ(t.cells->cells[c.row][c.column], c.written);
    EXPECT_EQ(t.cells->writes, c.writes);
    EXPECT_EQ(t.binder->adapter()->data(t.binder->adapter()->index(c.row, c.column)).toString().toStdString(),
              c.written.toString());
  }
}

}  // namespace
}  // namespace plat::gui::qt
