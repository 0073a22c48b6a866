// The dialog service's own windows on the offscreen platform: a choice laid out at fixed rectangles or in a border
// layout, what each button, the close box and Escape answer, where windows appear, the failed-record window's tabs,
// table and colours (only its buttons close it), and a choice asked from a worker thread.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <cstdlib>
#include <string>

#include <QScreen>

#include "platform/gui/qt/QtDialogService.h"
#include "tests/platform/gui/qt/QtDialogRobot.h"

namespace plat::gui::qt {
namespace {

using qttest::app;
using qttest::buttonOf;
using qttest::DialogRobot;
using qttest::pressEscape;
using qttest::Worker;

QRect screen() {
  return QGuiApplication::primaryScreen()->geometry();
}

// Where a window without a component to centre on goes: 120 pixels left of and above the screen's centre (280, 180
// on an 800 x 600 screen).
QPoint fallbackCorner() {
  return QPoint(screen().x() + screen().width() / 2 - 120, screen().y() + screen().height() / 2 - 120);
}

// What the robot does once it has looked: press a button, close the window, or press Escape.
void act(QDialog& dialog, const std::string& action) {
  if (action == "close") {
    dialog.close();
  } else if (action == "escape") {
    pressEscape(dialog);
  } else {
    buttonOf(dialog, std::stoi(action))->click();
  }
}

ChoiceRequest fixedRequest() {
  ChoiceRequest request;
  request.title = "Fixed";
  request.text = "Save changes?";
  request.buttons = {"Yes", "No"};
  request.closeAnswer = 9;
  request.layout = ChoiceRequest::Layout::Fixed;
  request.width = 337;
  request.height = 135;
  request.textBox = {78, 33, 180, 23};
  request.centreText = true;
  request.buttonBoxes = {{72, 80, 79, 22}, {185, 80, 79, 22}};
  request.buttonFont = {"Dialog", 12, true};
  return request;
}

ChoiceRequest borderRequest() {
  ChoiceRequest request;
  request.title = "Border";
  request.heading = " Warning";
  request.text = "Unsaved <b>changes</b>. Do you wish to save them before proceeding?";
  request.buttons = {"Save", "Discard", "Cancel"};
  request.closeAnswer = 2;
  request.preselected = 1;
  request.width = 432;
  request.height = 112;
  request.buttonBackground = 0xC0C0C0;
  request.headingFont = {"Dialog", 12, true};
  return request;
}

class QtChoiceDialogTest : public ::testing::Test {
 protected:
  QApplication& application = app();  // before the service, which needs it
  QtDialogService service;
};

TEST_F(QtChoiceDialogTest, AFixedLayoutPutsTextAndButtonsAtTheirRectangles) {
  for (const std::string action : {"0", "1", "close", "escape"}) {
    SCOPED_TRACE(action);
    DialogRobot robot([&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(), "Fixed");
      EXPECT_EQ(d.size(), QSize(337, 135));
      EXPECT_EQ(d.minimumSize(), d.maximumSize());
      auto* text = d.findChild<QLabel*>("text");
      EXPECT_EQ(text->geometry(), QRect(78, 33, 180, 23));
      EXPECT_EQ(text->alignment(), Qt::AlignCenter);
      EXPECT_EQ(buttonOf(d, 0)->geometry(), QRect(72, 80, 79, 22));
      EXPECT_EQ(buttonOf(d, 1)->geometry(), QRect(185, 80, 79, 22));
      EXPECT_EQ(buttonOf(d, 1)->text(), "No");
      const QFont font = buttonOf(d, 0)->font();
      EXPECT_TRUE(font.bold());
      EXPECT_EQ(font.pointSize(), 12);
      EXPECT_EQ(font.family(), "Dialog");
      act(d, action);
    });
    const int answer = service.choose(fixedRequest());
    ASSERT_TRUE(robot.acted());
    EXPECT_EQ(answer, action == "0" ? 0 : action == "1" ? 1 : 9);
  }
}

TEST_F(QtChoiceDialogTest, ABorderLayoutCentresItsRowOfButtonsUnderHeadingAndText) {
  for (const std::string action : {"0", "2", "close", "escape"}) {
    SCOPED_TRACE(action);
    DialogRobot robot([&](QDialog& d) {
      EXPECT_EQ(d.size(), QSize(432, 112));
      auto* heading = d.findChild<QLabel*>("heading");
      EXPECT_EQ(heading->text(), " Warning");
      EXPECT_TRUE(heading->font().bold());
      EXPECT_EQ(heading->font().pointSize(), 12);
      auto* text = d.findChild<QLabel*>("text");
      EXPECT_TRUE(text->wordWrap());
      EXPECT_EQ(text->textFormat(), Qt::PlainText);
      EXPECT_LT(heading->geometry().bottom(), text->geometry().top() + 1);
      QWidget* row = d.findChild<QWidget*>("buttons");
      EXPECT_EQ(row->geometry().bottom(), d.height() - 1);
      const QRect first = buttonOf(d, 0)->geometry(), second = buttonOf(d, 1)->geometry(),
                  last = buttonOf(d, 2)->geometry();
      EXPECT_EQ(second.left() - first.right() - 1, 5);
      EXPECT_EQ(last.left() - second.right() - 1, 5);
      EXPECT_LE(std::abs(first.left() - (row->width() - 1 - last.right())), 1);  // centred
      for (int i = 0; i < 3; ++i)
        EXPECT_EQ(buttonOf(d, i)->palette().color(QPalette::Button), QColor::fromRgb(0xC0C0C0));
      EXPECT_TRUE(buttonOf(d, 1)->isDefault());
      EXPECT_FALSE(buttonOf(d, 0)->isDefault());
      act(d, action);
    });
    const int answer = service.choose(borderRequest());
    ASSERT_TRUE(robot.acted());
    EXPECT_EQ(answer, action == "0" ? 0 : 2);
  }
}

TEST_F(QtChoiceDialogTest, WindowsAppearWhereTheirPlacementSays) {
  QWidget window;
  window.setGeometry(40, 30, 300, 200);
  window.show();
  auto component = std::make_shared<plat::lang::Object>();
  service.setWindowOf([&](const plat::lang::Object& o) { return &o == component.get() ? &window : nullptr; });
  QtDialogService owned(&window);
  struct Case {
    const char* name;
    QtDialogService* service;
    Placement::Centre centre;
    bool known;
    bool fallback;
    QPoint centreAt;  // of the window; ignored when cornerAt is set
    QPoint cornerAt;
  } cases[] = {
      {"screen", &service, Placement::Centre::Screen, true, true, screen().center(), {}},
      {"owner's widget", &service, Placement::Centre::Owner, true, true, QPoint(190, 130), {}},
      {"unknown owner, fallback", &service, Placement::Centre::Owner, false, true, {}, fallbackCorner()},
      {"unknown owner, service window", &owned, Placement::Centre::Owner, false, false, QPoint(190, 130), {}},
      {"unknown owner, nothing else", &service, Placement::Centre::Owner, false, false, screen().center(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ChoiceRequest request = fixedRequest();
    request.placement.centre = c.centre;
    request.placement.owner = c.known ? component : std::make_shared<plat::lang::Object>();
    if (c.fallback) request.placement.fallbackOffset = Offset{-120, -120};
    QRect seen;
    DialogRobot robot([&](QDialog& d) {
      seen = d.frameGeometry();
      d.close();
    });
    c.service->choose(request);
    ASSERT_TRUE(robot.acted());
    if (!c.cornerAt.isNull()) {
      EXPECT_EQ(seen.topLeft(), c.cornerAt);
    } else {
      EXPECT_LE((seen.center() - c.centreAt).manhattanLength(), 6) << seen.center().x() << "," << seen.center().y();
    }
  }
}

TEST_F(QtChoiceDialogTest, AChoiceFromAWorkerIsShownOnTheGuiThreadAndWaitedFor) {
  std::atomic<int> answer{-1};
  DialogRobot robot([](QDialog& d) { buttonOf(d, 1)->click(); });
  Worker worker([&] { answer = service.choose(borderRequest()); });
  ASSERT_TRUE(worker.pumpUntilFinished());
  ASSERT_TRUE(robot.acted());
  EXPECT_TRUE(robot.onGuiThread());
  EXPECT_EQ(answer.load(), 1);
}

FailedRecordRequest failedRecord() {
  FailedRecordRequest request;
  request.title = "Save Changes Errors";
  request.buttons = {"Skip All", "Skip Record", "Cancel Save"};
  request.unattendedAnswer = 2;
  request.tabs = {
      {"Error", "Record could not be saved"}, {"SQL Message", "duplicate key"}, {"SQL Statement", "INSERT"}};
  request.columns = {"Zustand", "ID", "NAME", "CITY"};
  request.rows = {{"Modified", "1", "New", "Bern"}, {"Original", "1", "Old", "Bern"}};
  request.modifiedColumns = {2};
  request.stateTip = "State";
  request.modifiedTip = "Modified values";
  request.placement.centre = Placement::Centre::Owner;
  request.placement.fallbackOffset = Offset{-120, -120};
  return request;
}

TEST_F(QtChoiceDialogTest, AFailedRecordShowsTabsAndTheMarkedRecordAndOnlyItsButtonsCloseIt) {
  for (int pressed : {0, 1, 2}) {
    SCOPED_TRACE(pressed);
    DialogRobot robot([&](QDialog& d) {
      EXPECT_EQ(d.palette().color(QPalette::Window), QColor::fromRgb(0xCCCCCC));
      EXPECT_EQ(d.pos(), fallbackCorner());
      auto* tabs = d.findChild<QTabWidget*>("tabs");
      ASSERT_EQ(tabs->count(), 3);
      EXPECT_EQ(tabs->currentIndex(), 0);
      EXPECT_EQ(tabs->tabText(1), "SQL Message");
      auto* statement = qobject_cast<QPlainTextEdit*>(tabs->widget(2));
      EXPECT_EQ(statement->toPlainText(), "INSERT");
      EXPECT_TRUE(statement->isReadOnly());

      auto* table = d.findChild<QTableWidget*>("table");
      EXPECT_EQ(table->sizeHint(), QSize(350, 60));
      EXPECT_EQ(table->frameShape(), QFrame::Panel);
      EXPECT_EQ(table->frameShadow(), QFrame::Sunken);
      EXPECT_EQ(table->selectionMode(), QAbstractItemView::NoSelection);
      EXPECT_EQ(table->editTriggers(), QAbstractItemView::NoEditTriggers);
      ASSERT_EQ(table->rowCount(), 2);  // every row given
      ASSERT_EQ(table->columnCount(), 4);
      const QColor yellow = QColor::fromRgb(0xFFFF00), red = QColor::fromRgb(0xFF0000);
      // The state column is column 0 whatever its header says.
      EXPECT_EQ(table->horizontalHeaderItem(0)->background().color(), yellow);
      for (int r = 0; r < 2; ++r) {
        EXPECT_EQ(table->item(r, 0)->background().color(), yellow);
        EXPECT_EQ(table->item(r, 0)->toolTip(), "State");
        EXPECT_EQ(table->item(r, 2)->background().color(), red);
        EXPECT_EQ(table->item(r, 2)->toolTip(), "Modified values");
        EXPECT_EQ(table->item(r, 3)->background().style(), Qt::NoBrush);
        EXPECT_TRUE(table->item(r, 3)->toolTip().isEmpty());
        EXPECT_FALSE(table->item(r, 1)->flags() & (Qt::ItemIsSelectable | Qt::ItemIsEditable));
      }
      EXPECT_EQ(table->item(1, 2)->text(), "Old");

      d.close();
      pressEscape(d);
      EXPECT_TRUE(d.isVisible());
      buttonOf(d, pressed)->click();
    });
    const int answer = service.showFailedRecord(failedRecord());
    ASSERT_TRUE(robot.acted());
    EXPECT_EQ(answer, pressed);
  }
}

}  // namespace
}  // namespace plat::gui::qt
