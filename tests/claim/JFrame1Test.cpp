// The window on the offscreen platform: layout and texts, open, Reset with a claim in hand, the exit question,
// the saved position, the About box and the Test button; the dialogs answer from a script.
#include "claim/JFrame1.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <thread>

#include "claim/JAboutDialog.h"
#include "claim/StringTableModel.h"
#include "claim/SystemLog.h"
#include "testkit/clearinghouse/ClearingHouseServer.h"
#include "tests/claim/ClaimDialogsSupport.h"
#include "tests/claim/ClaimSamples.h"
#include "tests/claim/ClaimTestSupport.h"

namespace {

using namespace claimtest;
namespace fs = std::filesystem;

QApplication& app() {
  static int argc = 1;
  static char name[] = "claim_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new QApplication(argc, argv);
  }();
  return *instance;
}

// Runs the GUI event loop until `done` holds or timeoutMs passed; answers `done`.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

std::string text(const QLineEdit* field) {
  return field->text().toStdString();
}

class JFrame1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    app();
    installKeyStore();
    fs::create_directory("working");
    Parameters::getInstance()->setSecurity(false);
  }
  // A window shown and opened.
  std::unique_ptr<JFrame1> openWindow() {
    auto window = std::make_unique<JFrame1>(&dialogs);
    window->show();
    EXPECT_TRUE(pumpUntil([&] { return window->isOpened(); }));
    return window;
  }
  TempWorkDir dir;
  ScriptedDialogs dialogs;
};

TEST_F(JFrame1Test, LayoutAndTextsBeforeOpen) {
  JFrame1 window(&dialogs);
  EXPECT_EQ(window.windowTitle().toStdString(), "Claimora");
  EXPECT_FALSE(window.resetButton()->isEnabled());
  EXPECT_FALSE(window.testButton()->isEnabled());
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "not resizable";
  // The classic layout, 360 by 110, grown only as far as the fonts need: the table over the full width, the two
  // buttons in a row below it, one in each half, the two fields side by side at the bottom.
  const QSize panel = window.panel()->size();
  EXPECT_GE(panel.width(), 360);
  EXPECT_GE(panel.height(), 110);
  const QRect table = window.table()->geometry();
  const QRect reset = window.resetButton()->geometry();
  const QRect test = window.testButton()->geometry();
  const QRect system = window.systemField()->geometry();
  const QRect results = window.resultsField()->geometry();
  EXPECT_EQ(table.topLeft(), QPoint(0, 0));
  EXPECT_EQ(table.width(), panel.width());
  EXPECT_GE(table.height(), 40);
  EXPECT_EQ(reset.top(), table.bottom() + 9);
  EXPECT_EQ(test.top(), reset.top());
  EXPECT_EQ(reset.size(), test.size());
  EXPECT_EQ(reset.width(), 120);
  EXPECT_LT(reset.right(), panel.width() / 2);
  EXPECT_GT(test.left(), panel.width() / 2);
  EXPECT_EQ(system.topLeft(), QPoint(0, reset.bottom() + 14));
  EXPECT_EQ(results.topLeft(), QPoint(system.right() + 1, system.top()));
  EXPECT_EQ(results.right() + 1, panel.width());
  EXPECT_EQ(results.bottom() + 1, panel.height());
  EXPECT_GE(system.width(), 180);
  EXPECT_GE(results.width(), 180);
  EXPECT_EQ(window.resetButton()->text().toStdString(), "Reset");
  EXPECT_EQ(window.testButton()->text().toStdString(), "Test");
  EXPECT_TRUE(window.systemField()->isReadOnly());
  EXPECT_TRUE(window.resultsField()->isReadOnly());
  EXPECT_EQ(window.table()->selectionMode(), QAbstractItemView::NoSelection);
  const auto menus = window.menuBar()->actions();
  ASSERT_EQ(menus.size(), 2);
  EXPECT_EQ(menus[0]->text().toStdString(), "&File");
  EXPECT_EQ(menus[1]->text().toStdString(), "&Help");
  EXPECT_EQ(window.exitAction()->text().toStdString(), "E&xit");
  EXPECT_EQ(window.aboutAction()->text().toStdString(), "&About...");
  EXPECT_FALSE(window.aboutAction()->icon().isNull());
  // The log was opened by the window.
  EXPECT_TRUE(dir.logHas("System Log Started."));
}

TEST_F(JFrame1Test, OpenStartsTheThreadsAndEnablesTheButtons) {
  auto window = openWindow();
  EXPECT_EQ(window->windowTitle().toStdString(), "Claimora  v1.39");
  auto* model = window->tableModel();
  ASSERT_EQ(model->colCount(), 2);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString().toStdString(), "File");
  EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString().toStdString(), "Status");
  EXPECT_EQ(model->rowCount(), 1);
  EXPECT_TRUE(window->resetButton()->isEnabled());
  EXPECT_TRUE(window->testButton()->isEnabled());
  ASSERT_TRUE(window->program().worker());
  EXPECT_TRUE(window->program().resetThread()->isAlive());
  // The worker's first status comes through the event queue.
  EXPECT_TRUE(pumpUntil([&] { return text(window->systemField()) == "System:  Clear"; }));
  EXPECT_TRUE(pumpUntil([&] { return text(window->resultsField()) == "Results:  None"; }));
  EXPECT_FALSE(fs::exists("jwin.dat"));
}

TEST_F(JFrame1Test, NoAtTheExitQuestionKeepsEverythingRunning) {
  auto window = openWindow();
  dialogs.answerYes = false;
  window->close();  // the title bar's close runs the same question
  window->exitApplication();
  EXPECT_EQ(dialogs.beeps(), 2);
  ASSERT_EQ(dialogs.questions().size(), 2u);
  EXPECT_EQ(dialogs.questions()[0].title, "Claimora - Exit");
  EXPECT_EQ(dialogs.questions()[0].text, "Do you really want to exit?");
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->program().worker()->isAlive());
  EXPECT_TRUE(window->program().resetThread()->isAlive());
  EXPECT_FALSE(SystemLog::getInstance()->isClosed());
  EXPECT_FALSE(fs::exists("jwin.dat"));
}

TEST_F(JFrame1Test, YesSavesThePositionAndTheNextStartRestoresIt) {
  {
    auto window = openWindow();
    window->move(77, 66);
    pumpUntil([&] { return window->pos() == QPoint(77, 66); }, 2000);
    const QPoint at = window->pos();
    dialogs.answerYes = true;
    window->exitApplication();
    // The threads stop off the GUI thread; the window goes once they have.
    EXPECT_TRUE(pumpUntil([&] { return !window->isVisible(); }));
    EXPECT_FALSE(window->program().worker()->isAlive());
    EXPECT_FALSE(window->program().resetThread()->isAlive());
    EXPECT_TRUE(SystemLog::getInstance()->isClosed());
    ASSERT_EQ(PointFile::read("jwin.dat"), (WindowPoint{at.x(), at.y()}));
    const auto lines = dir.logMessages();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "System Log Stopped.");
    EXPECT_EQ(lines.back(), "System Stopped.");
  }
  PointFile::write("jwin.dat", {140, 90});
  SystemLog::setInstance(std::make_shared<SystemLog>("system.log"));
  auto again = openWindow();
  EXPECT_EQ(again->program().restoredPosition(), (WindowPoint{140, 90}));
  EXPECT_TRUE(pumpUntil([&] { return again->pos() == QPoint(140, 90); }, 2000));
  // With a restored position the About box sits 120 right of and 25 below the window's corner.
  auto about = again->makeAbout();
  EXPECT_EQ(about->pos(), again->pos() + QPoint(120, 25));
}

// Starts and exits again and again: the window stands where it stood, and one saved off every screen comes back onto
// the primary screen.
TEST_F(JFrame1Test, RestartsKeepThePositionAndAnOffScreenOneComesBack) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const QPoint saved : {QPoint(140, 90), QPoint(screen.right() + 5000, screen.bottom() + 5000)}) {
    SCOPED_TRACE(saved.x());
    PointFile::write("jwin.dat", {saved.x(), saved.y()});
    std::optional<WindowPoint> first;
    for (int start = 0; start < 3; ++start) {
      SystemLog::setInstance(std::make_shared<SystemLog>("system.log"));
      auto window = openWindow();
      pumpUntil([&] { return window->frameGeometry().topLeft() != QPoint(0, 0); }, 2000);
      EXPECT_TRUE(screen.contains(window->frameGeometry().topLeft())) << "on the screen";
      dialogs.answerYes = true;
      window->exitApplication();
      ASSERT_TRUE(pumpUntil([&] { return !window->isVisible(); }));
      const auto now = PointFile::read("jwin.dat");
      ASSERT_TRUE(now.has_value());
      if (!first) first = now;
      EXPECT_EQ(*now, *first) << "start " << start << ": the window does not creep";
    }
    if (saved.x() < screen.right()) EXPECT_EQ(*first, (WindowPoint{saved.x(), saved.y()}));
  }
}

TEST_F(JFrame1Test, ABadPositionFileIsLoggedAndTheThreadsStillStart) {
  writeText("jwin.dat", "not a point");
  auto window = openWindow();
  EXPECT_FALSE(window->program().restoredPosition().has_value());
  EXPECT_TRUE(window->resetButton()->isEnabled());
  ASSERT_TRUE(window->program().worker());
  EXPECT_TRUE(window->program().worker()->isAlive());
  EXPECT_TRUE(dir.logHas("JFrame1.open():  jwin.dat (not a saved window position)"));
}

TEST_F(JFrame1Test, ResetWaitsForTheClaimInHandThenStartsANewWorker) {
  testkit::ClearingHouseServer server;
  // The answer arrives in two parts with a pause, so Reset comes while the claim is in hand.
  server.setDefaultScript(
      testkit::ConnectionScript::twoParts("51B11A01PHARMACY\x1c"
                                          "AM20",
                                          3, 800));
  auto& p = *Parameters::getInstance();
  writeText("cm.ini", "security=off\nremote_ipaddress=" + server.address() +
                          "\nremote_clear_port=" + std::to_string(server.port()) + "\nfile_wait=50\n");
  p.read();
  auto window = openWindow();
  auto first = window->program().worker();
  writeFile("working/a.clm", framedFile(claimOf(60)));
  // The worker deletes the claim file once it holds the claim, before it sends it.
  ASSERT_TRUE(pumpUntil([] { return !fs::exists("working/a.clm"); }));
  window->reset();
  // The window stays live while the worker finishes its claim: the buttons are off, and clicks do nothing.
  EXPECT_EQ(text(window->systemField()), "System:  Resetting");
  EXPECT_FALSE(window->resetButton()->isEnabled());
  EXPECT_TRUE(window->isBusy());
  window->reset();
  window->exitApplication();
  EXPECT_TRUE(dialogs.questions().empty());
  ASSERT_TRUE(pumpUntil([&] { return !window->isBusy(); }, 15000));
  EXPECT_EQ(dir.logCount("System resetting."), 1) << "a Reset under way is not queued";
  EXPECT_TRUE(fs::exists("working/a.rsp")) << "the response was written before the Reset finished";
  EXPECT_FALSE(first->isAlive());
  EXPECT_NE(window->program().worker(), first);
  EXPECT_TRUE(window->program().worker()->isAlive());
  EXPECT_TRUE(window->resetButton()->isEnabled());
  EXPECT_TRUE(dir.logHas("System resetting."));
  EXPECT_TRUE(pumpUntil([&] { return text(window->systemField()) == "System:  Clear"; }));
  // The new worker takes the next claim.
  writeFile("working/b.clm", framedFile(claimOf(60)));
  EXPECT_TRUE(pumpUntil([] { return fs::exists("working/b.rsp"); }));
  EXPECT_TRUE(pumpUntil([&] { return text(window->resultsField()) == "Results:  Claim Successfully Sent."; }));
}

TEST_F(JFrame1Test, TestButtonShowsTheVerdict) {
  auto window = openWindow();
  Parameters::getInstance()->setRemoteIPAddresses({"127.0.0.1"});
  window->setTestCommand([](const std::string&) { return std::vector<std::string>{"sh", "-c", "echo ok"}; });
  window->testButton()->click();
  ASSERT_TRUE(dialogs.waitForBoxes(1, 10000));
  EXPECT_EQ(dialogs.boxes()[0].title, "Claimora - Varodex Connectivity");
  EXPECT_EQ(dialogs.boxes()[0].text, "Connection to Varodex Server (127.0.0.1) Verified.");
}

TEST_F(JFrame1Test, TestGivesFeedbackAndAFailureWarns) {
  auto window = openWindow();
  Parameters::getInstance()->setRemoteIPAddresses({"127.0.0.1"});
  // The command waits for a file, so the test is seen running.
  window->setTestCommand([](const std::string&) {
    return std::vector<std::string>{"sh", "-c",
                                    "i=0; while [ ! -e go ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done; "
                                    "echo 'ping: unknown host'; exit 2"};
  });
  ASSERT_TRUE(pumpUntil([&] { return text(window->systemField()) == "System:  Clear"; }));
  window->testButton()->click();
  EXPECT_FALSE(window->testButton()->isEnabled());
  EXPECT_EQ(text(window->systemField()), "System:  Testing connection...");
  window->testButton()->click();  // disabled: no second test
  writeText("go", "");
  ASSERT_TRUE(dialogs.waitForBoxes(1, 15000));
  ASSERT_TRUE(pumpUntil([&] { return window->testButton()->isEnabled(); }));
  EXPECT_EQ(text(window->systemField()), "System:  Clear");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_TRUE(dialogs.boxes()[0].warning);
  EXPECT_TRUE(
      dir.logHas("Test of 127.0.0.1: could not be reached, ping ended with exit status 2: ping: unknown host."));
}

TEST_F(JFrame1Test, FieldsAndCellsShowTheirWholeTextAsToolTip) {
  auto window = openWindow();
  // The worker stops first, so that its own updates cannot overwrite the texts below.
  auto worker = window->program().worker();
  worker->Halt();
  ASSERT_TRUE(worker->join(10000));
  ASSERT_TRUE(pumpUntil([&] { return text(window->systemField()) == "System:  Stopped"; }));
  const std::string longText = "Results:  Response Kept In Send Folder, <working/a-rather-long-claim-name.rsp>";
  window->statusField(StatusListener::Field::Results, longText);
  window->statusCell(1, "Awaiting Response");
  ASSERT_TRUE(pumpUntil([&] { return text(window->resultsField()) == longText; }));
  EXPECT_EQ(window->resultsField()->toolTip().toStdString(), longText);
  ASSERT_TRUE(pumpUntil([&] { return window->tableModel()->getValueAt(0, 1) == "Awaiting Response"; }));
  EXPECT_EQ(window->tableModel()->index(0, 1).data(Qt::ToolTipRole).toString().toStdString(), "Awaiting Response");
  // Header and row fit the table's height, and the row its text: the row is not cut.
  const int headerHeight = window->table()->horizontalHeader()->height();
  EXPECT_GE(window->table()->rowHeight(0), window->table()->fontMetrics().height());
  EXPECT_GE(headerHeight, window->table()->horizontalHeader()->fontMetrics().height());
  EXPECT_LE(headerHeight + window->table()->rowHeight(0) + 2 * window->table()->frameWidth(),
            window->table()->height());
  auto about = window->makeAbout();
  about->show();
  EXPECT_LE(about->label()->sizeHint().width(), about->width()) << "the About text is not cut";
  about->okButton()->click();
}

// Each text the window shows fits its place whole, read without the tooltip: the fonts' metrics decide the sizes.
TEST_F(JFrame1Test, EveryFixedTextFitsItsField) {
  auto opened = openWindow();
  JFrame1& window = *opened;
  const struct {
    QLineEdit* field;
    const std::vector<std::string>& texts;
  } fields[] = {{window.systemField(), JFrame1::systemTexts()}, {window.resultsField(), JFrame1::resultsTexts()}};
  for (const auto& f : fields) {
    for (const auto& t : f.texts) {
      SCOPED_TRACE(t);
      f.field->setText(QString::fromStdString(t));
      f.field->setCursorPosition(0);
      // The last character stands left of the field's right edge: the point just inside it lies past the text.
      EXPECT_EQ(f.field->cursorPositionAt(QPoint(f.field->width() - 5, f.field->height() / 2)),
                static_cast<int>(t.size()));
      EXPECT_GE(f.field->height(), f.field->fontMetrics().height() + 4) << "not cut in height";
    }
  }
  const QFontMetrics cells(window.table()->font());
  for (const auto& t : JFrame1::stepTexts()) {
    EXPECT_LT(cells.horizontalAdvance(QString::fromStdString(t)), window.table()->columnWidth(1) - 6) << t;
  }
  for (QPushButton* button : {window.resetButton(), window.testButton()}) {
    EXPECT_LE(button->sizeHint().width(), button->width());
    EXPECT_LE(button->fontMetrics().height(), button->height());
  }
}

TEST(WindowPlacement, ASavedPositionOffEveryScreenComesBackOntoThePrimary) {
  const QRect primary(0, 0, 1920, 1080);
  const QRect second(1920, 0, 1280, 1024);
  const QSize size(400, 150);
  const QPoint centred(760, 465);
  const struct {
    QPoint saved;
    QPoint placed;
  } cases[] = {
      {{100, 80}, {100, 80}},      // on the primary
      {{2000, 500}, {2000, 500}},  // on the second screen
      {{1700, 300}, {1700, 300}},  // across both
      {{5000, 300}, centred},      // right of every screen
      {{-600, 200}, centred},      // left of every screen
      {{300, -100}, centred},      // its title bar above the screen
      {{300, 1070}, centred},      // ten pixels of it left at the bottom
      {{1900, 1100}, centred},     // below both
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JFrame1::placeOnScreen(c.saved, size, {primary, second}, primary), c.placed)
        << c.saved.x() << "," << c.saved.y();
  }
}

TEST_F(JFrame1Test, AboutBox) {
  JFrame1 window(&dialogs);
  auto about = window.makeAbout();
  EXPECT_EQ(about->windowTitle().toStdString(), "About Claimora");
  EXPECT_EQ(about->size(), QSize(250, 94));
  EXPECT_TRUE(about->isModal());
  EXPECT_EQ(about->okButton()->text().toStdString(), "&OK");
  EXPECT_FALSE(about->label()->text().isEmpty());
  about->show();
  about->okButton()->click();
  EXPECT_FALSE(about->isVisible());
}

TEST(StringTableModel, SplitsHeadersAndRowsAtCommas) {
  app();
  StringTableModel model;
  model.setColumnHeaders("File, Status");
  model.addRow(" , ");
  model.addRow("a.clm,Sending,extra");
  EXPECT_EQ(model.colCount(), 2);
  EXPECT_EQ(model.getValueAt(0, 0), "");
  EXPECT_EQ(model.getValueAt(1, 1), "Sending");
  EXPECT_EQ(model.getValueAt(5, 0), "") << "outside the table";
  model.setValueAt("x", 0, 1);
  EXPECT_EQ(model.data(model.index(0, 1)).toString().toStdString(), "x");
  EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsSelectable);
}

}  // namespace
