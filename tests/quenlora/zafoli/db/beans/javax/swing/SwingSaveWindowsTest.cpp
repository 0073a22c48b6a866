// The option-style save prompt and the failed-record window: their requests (texts, the state and modified
// columns, every row, the placement), their answers (Save 1 / Discard 2 / Cancel 3; Skip All 2 / Skip Record 0 /
// Cancel Save 1; with no user to ask: Cancel and Cancel Save), both made by full class name, and both shown by the
// Qt service on the offscreen platform, centred on a component's widget or at the fallback position.
#include <gtest/gtest.h>

#include <QScreen>
#include <QTableWidget>
#include <memory>

#include "platform/gui/HeadlessDialogService.h"
#include "platform/gui/qt/QtDialogService.h"
#include "platform/lang/System.h"
#include "platform/runvale/ClassRegistry.h"
#include "quenlora/zafoli/db/beans/javax/swing/JSaveChangesWindow.h"
#include "quenlora/zafoli/db/beans/javax/swing/JSaveTransactionChangesWindow.h"
#include "tests/platform/gui/qt/QtDialogRobot.h"

namespace quenlora::zafoli::db::beans::javax::swing {
namespace {

using binding::SaveChangesDialog;
using binding::SaveTransactionChanges;
using plat::gui::DialogService;
using plat::gui::HeadlessDialogService;
using plat::gui::Placement;
using plat::lang::Value;
namespace qttest = plat::gui::qt::qttest;

const std::vector<std::string> kHeaders{"Zustand", "ID", "NAME", "State"};
const std::vector<std::vector<Value>> kValues{{Value("Modified"), Value(7), Value("New"), Value()},
                                              {Value("Original"), Value(7), Value("Old"), Value()}};
const std::vector<std::string> kModified{"NAME", "State", "NO_SUCH_COLUMN"};

class SwingSaveWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override { DialogService::setCurrent(headless); }
  void TearDown() override { DialogService::setCurrent(nullptr); }

  std::shared_ptr<HeadlessDialogService> headless = std::make_shared<HeadlessDialogService>();
};

TEST_F(SwingSaveWindowsTest, TheOptionPromptPutsTheQuestionOnItsOwnLineAndPreselectsSave) {
  JSaveChangesWindow window;
  window.setMessage("Unsaved changes.");
  auto request = window.makeRequest();
  EXPECT_EQ(request.text, "Unsaved changes.\nDo you wish to save them before proceeding ?");
  EXPECT_EQ(request.title, "Save");
  EXPECT_EQ(request.buttons, (std::vector<std::string>{"Save", "Discard", "Cancel"}));
  EXPECT_EQ(request.preselected, 0);
  EXPECT_TRUE(request.heading.empty());
  EXPECT_EQ(request.placement.centre, Placement::Centre::Screen);

  constexpr int kNoScript = -2;
  struct Case {
    int scripted;
    int answer;
  } cases[] = {{0, SaveChangesDialog::YES},
               {1, SaveChangesDialog::NO},
               {2, SaveChangesDialog::CANCEL},
               {HeadlessDialogService::kCloseBox, SaveChangesDialog::CANCEL},
               {kNoScript, SaveChangesDialog::CANCEL}};
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  for (const auto& c : cases) {
    if (c.scripted != kNoScript) headless->scriptChoice(c.scripted);
    EXPECT_EQ(window.run(), c.answer) << c.scripted;
  }
}

TEST_F(SwingSaveWindowsTest, TheFailedRecordRequestMarksColumnZeroAsStateAndTheChangedColumnsByName) {
  auto owner = std::make_shared<plat::lang::Object>();
  JSaveTransactionChangesWindow window;
  auto request = window.makeRequest(kHeaders, kValues, kModified, "duplicate key", "INSERT INTO T", owner);
  EXPECT_EQ(request.title, "Save Changes Errors");
  EXPECT_EQ(request.background, 0xCCCCCCu);
  EXPECT_EQ(request.buttons, (std::vector<std::string>{"Skip All", "Skip Record", "Cancel Save"}));
  ASSERT_EQ(request.tabs.size(), 3u);
  EXPECT_EQ(request.tabs[0].title, "Error");
  EXPECT_EQ(request.tabs[0].text, "Record could not be saved");
  EXPECT_EQ(request.tabs[1].title, "SQL Message");
  EXPECT_EQ(request.tabs[1].text, "duplicate key");
  EXPECT_EQ(request.tabs[2].title, "SQL Statement");
  EXPECT_EQ(request.tabs[2].text, "INSERT INTO T");
  EXPECT_EQ(request.columns, kHeaders);
  // Both rows, nulls empty; a data column named like the state column is just a data column.
  EXPECT_EQ(request.rows,
            (std::vector<std::vector<std::string>>{{"Modified", "7", "New", ""}, {"Original", "7", "Old", ""}}));
  EXPECT_EQ(request.modifiedColumns, (std::vector<int>{2, 3}));
  EXPECT_EQ(request.stateTip, "State");
  EXPECT_EQ(request.modifiedTip, "Modified values");
  EXPECT_EQ(request.stateColour, 0xFFFF00u);
  EXPECT_EQ(request.modifiedColour, 0xFF0000u);
  EXPECT_EQ(request.tableWidth, 350);
  EXPECT_EQ(request.tableHeight, 60);
  EXPECT_EQ(request.placement.centre, Placement::Centre::Owner);
  EXPECT_EQ(request.placement.owner, owner);
  EXPECT_EQ(request.placement.fallbackOffset, (plat::gui::Offset{-120, -120}));
  EXPECT_EQ(JSaveTransactionChangesWindow("Mine").makeRequest(kHeaders, kValues, {}, "", "", nullptr).title, "Mine");
}

TEST_F(SwingSaveWindowsTest, FailedRecordButtonsAnswerSkipAllSkipRecordCancelSaveAndNoUserCancelsTheSave) {
  constexpr int kNoScript = -2;
  struct Case {
    int button;
    int answer;
  } cases[] = {{0, SaveTransactionChanges::DISCARD_ALL},
               {1, SaveTransactionChanges::DISCARD},
               {2, SaveTransactionChanges::CANCEL},
               {kNoScript, SaveTransactionChanges::CANCEL}};
  plat::lang::ConsoleCapture capture(plat::lang::ConsoleCapture::Target::kErr);
  for (const auto& c : cases) {
    if (c.button != kNoScript) headless->scriptFailedRecord(c.button);
    JSaveTransactionChangesWindow window;
    EXPECT_EQ(window.show(kHeaders, kValues, kModified, "m", "s", nullptr), c.answer) << c.button;
  }
  EXPECT_EQ(headless->shownFailedRecords().size(), 4u);
}

TEST_F(SwingSaveWindowsTest, BothWindowsAreMadeByFullClassName) {
  auto& registry = plat::runvale::ClassRegistry::instance();
  auto prompt = std::dynamic_pointer_cast<SaveChangesDialog>(registry.newInstance(JSaveChangesWindow::kClassName));
  ASSERT_NE(prompt, nullptr);
  headless->scriptChoice(1);
  EXPECT_EQ(prompt->run(), SaveChangesDialog::NO);
  auto failed = std::dynamic_pointer_cast<SaveTransactionChanges>(
      registry.newInstance("quenlora.zafoli.db.beans.javax.swing.JSaveTransactionChangesWindow"));
  ASSERT_NE(failed, nullptr);
  headless->scriptFailedRecord(1);
  EXPECT_EQ(failed->show(kHeaders, kValues, kModified, "m", "s", nullptr), SaveTransactionChanges::DISCARD);
}

class SwingSaveWindowsQtTest : public ::testing::Test {
 protected:
  void SetUp() override { DialogService::setCurrent(service); }
  void TearDown() override { DialogService::setCurrent(nullptr); }

  QApplication& application = qttest::app();  // before the service, which needs it
  std::shared_ptr<plat::gui::qt::QtDialogService> service = std::make_shared<plat::gui::qt::QtDialogService>();
};

TEST_F(SwingSaveWindowsQtTest, TheOptionPromptOpensOnSaveAndEscapeCancels) {
  bool saveIsDefault = false;
  qttest::DialogRobot robot([&](QDialog& d) {
    saveIsDefault = qttest::buttonOf(d, 0)->isDefault();
    qttest::pressEscape(d);
  });
  JSaveChangesWindow window;
  window.setMessage("Unsaved");
  EXPECT_EQ(window.run(), SaveChangesDialog::CANCEL);
  ASSERT_TRUE(robot.acted());
  EXPECT_TRUE(saveIsDefault);
}

TEST_F(SwingSaveWindowsQtTest, TheFailedRecordWindowCentresOnItsComponentElseSitsAtTheFallback) {
  QWidget widget;
  widget.setGeometry(100, 50, 500, 400);
  widget.show();
  auto component = std::make_shared<plat::lang::Object>();
  service->setWindowOf([&](const plat::lang::Object& o) { return &o == component.get() ? &widget : nullptr; });
  for (bool withComponent : {true, false}) {
    SCOPED_TRACE(withComponent);
    QRect seen;
    int rows = 0;
    bool stayedOpen = false;
    qttest::DialogRobot robot([&](QDialog& d) {
      seen = d.frameGeometry();
      rows = d.findChild<QTableWidget*>("table")->rowCount();
      d.close();
      qttest::pressEscape(d);
      stayedOpen = d.isVisible();
      qttest::buttonOf(d, 0)->click();
    });
    JSaveTransactionChangesWindow window;
    const int answer = window.show(kHeaders, kValues, kModified, "m", "s", withComponent ? component : nullptr);
    ASSERT_TRUE(robot.acted());
    EXPECT_EQ(answer, SaveTransactionChanges::DISCARD_ALL);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(rows, 2);
    if (withComponent) {
      EXPECT_LE((seen.center() - QPoint(349, 249)).manhattanLength(), 6);
    } else {
      // 120 pixels left of and above the screen's centre: (280, 180) on an 800 x 600 screen.
      const QRect screen = QGuiApplication::primaryScreen()->geometry();
      EXPECT_EQ(seen.topLeft(), QPoint(screen.x() + screen.width() / 2 - 120, screen.y() + screen.height() / 2 - 120));
    }
  }
}

}  // namespace
}  // namespace quenlora::zafoli::db::beans::javax::swing
